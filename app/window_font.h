#pragma once

#include <QFont>

// The window's font: the named family at the given size where it is installed;
// where it is not, Liberation Mono (made with Courier's metrics), else the
// platform's fixed-pitch font. The family is chosen here rather than left to
// the font matcher, whose own fallback for "Courier" may be any fixed font.
QFont ChooseWindowFont(const char* family, int points);
