#include "status_report.h"

#include <cstdio>

namespace tvx {

namespace {

constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Out-of-range fields (a clock that gives nonsense) are held to their range, so
// the date is always 24 characters.
int Within(int value, int least, int most) {
  return value < least ? least : (value > most ? most : value);
}

// A stage text longer than this gets a line end; shorter ones are written bare.
constexpr std::size_t kBareStageText = 5;

}  // namespace

std::string FormatReportDate(const std::tm& moment) {
  char text[32];
  std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %04d",
                kDayNames[Within(moment.tm_wday, 0, 6)], kMonthNames[Within(moment.tm_mon, 0, 11)],
                Within(moment.tm_mday, 1, 31), Within(moment.tm_hour, 0, 23),
                Within(moment.tm_min, 0, 59), Within(moment.tm_sec, 0, 60),
                Within(moment.tm_year, -1900, 9999 - 1900) + 1900);
  return text;
}

std::string ComposeStatusReport(const WindowTexts& texts, const std::tm& moment) {
  std::string report;
  report += "\r\nScoring Status on ";
  report += FormatReportDate(moment);
  report += "\r\n==========================================\r\n\r\n";
  report += "Competitors left to shoot each stage\r\n";
  report += "====================================\r\n";
  for (int slot = 1; slot <= WindowTexts::kStageSlots; ++slot) {
    const std::string& stageText = texts.m_stageText[static_cast<std::size_t>(slot)];
    report += stageText;
    if (stageText.size() > kBareStageText) {
      report += "\r\n";
    }
  }
  report += "\r\n";
  report += "Competitors still shooting\r\n";
  report += "==========================\r\n";
  report += texts.m_statusText;
  return report;
}

}  // namespace tvx
