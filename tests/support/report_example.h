#pragma once

#include <ctime>

namespace tvx::testing {

// A moment as the local clock gives it; month 1 to 12, weekday 0 (Sunday) to 6.
inline std::tm Moment(int year, int month, int day, int weekday, int hour, int minute,
                      int second) {
  std::tm moment{};
  moment.tm_year = year - 1900;
  moment.tm_mon = month - 1;
  moment.tm_mday = day;
  moment.tm_wday = weekday;
  moment.tm_hour = hour;
  moment.tm_min = minute;
  moment.tm_sec = second;
  return moment;
}

// The moment of the report examples: Saturday, 4 June 2005, 14:05:09.
inline std::tm ExampleMoment() { return Moment(2005, 6, 4, 6, 14, 5, 9); }

// The report's blocks 1 to 4 at that moment, and blocks 6 to 8.
inline constexpr const char* kExampleReportHead =
    "\r\nScoring Status on Sat Jun 04 14:05:09 2005"
    "\r\n==========================================\r\n\r\n"
    "Competitors left to shoot each stage\r\n"
    "====================================\r\n";
inline constexpr const char* kReportMiddle =
    "\r\n"
    "Competitors still shooting\r\n"
    "==========================\r\n";

}  // namespace tvx::testing
