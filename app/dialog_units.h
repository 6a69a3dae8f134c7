#pragma once

#include <QFont>
#include <QRect>

struct ControlTemplate;

// Dialog units of a font: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its character height.
struct DialogUnits {
  int averageCharWidth = 0;  // pixels, rounded
  int charHeight = 0;        // pixels

  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  // Position and size are converted each on its own, as dialog templates are.
  QRect ToPixels(int x, int y, int width, int height) const;
  QRect ToPixels(const ControlTemplate& control) const;
};

// The average is taken over the 52 letters A-Z and a-z and rounded to whole
// pixels; the height is the font's ascent plus descent.
DialogUnits MeasureDialogUnits(const QFont& font);
