#include "dialog_units.h"

#include <QFontMetrics>
#include <QString>

#include "window_template.h"

namespace {

// value * numerator / denominator, rounded to the nearest whole number with
// halves away from zero, as dialog templates are scaled.
int ScaleRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  const long long rounded =
      product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  return static_cast<int>(rounded);
}

constexpr int kQuartersPerChar = 4;
constexpr int kEighthsPerChar = 8;

}  // namespace

int DialogUnits::ToPixelsX(int units) const {
  return ScaleRounded(units, averageCharWidth, kQuartersPerChar);
}

int DialogUnits::ToPixelsY(int units) const {
  return ScaleRounded(units, charHeight, kEighthsPerChar);
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
  return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height));
}

QRect DialogUnits::ToPixels(const ControlTemplate& control) const {
  return ToPixels(control.x, control.y, control.width, control.height);
}

DialogUnits MeasureDialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int totalWidth = metrics.horizontalAdvance(letters);
  return {ScaleRounded(totalWidth, 1, static_cast<int>(letters.size())), metrics.height()};
}
