#pragma once

#include <QString>
#include <string>
#include <string_view>

// The window's texts are bytes in the Windows ANSI code page (1252); the
// controls hold Unicode. The mapping is one to one: the five bytes that 1252
// leaves undefined map to the control characters of the same number, so every
// byte string comes back unchanged from its Unicode form.
QString FromAnsiBytes(std::string_view bytes);

// The bytes of a text that FromAnsiBytes produced. A character that no byte
// maps to (never one the window pushed) becomes '?', as Windows writes it.
std::string ToAnsiBytes(const QString& text);
