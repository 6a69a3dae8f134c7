#include "window_font.h"

#include <QFontDatabase>

namespace {
constexpr const char* kCourierMetricsFamily = "Liberation Mono";
}

QFont ChooseWindowFont(const char* family, int points) {
  for (const char* candidate : {family, kCourierMetricsFamily}) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(candidate))) {
      return QFont(QString::fromLatin1(candidate), points);
    }
  }
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSize(points);
  return fixed;
}
