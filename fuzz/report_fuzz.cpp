// The report from whatever the window's texts hold. The input's first 36 bytes
// are the moment (nine ints: seconds, minutes, hours, day, month, year, day of
// the week, day of the year, daylight saving flag), the rest is cut at the
// separator line into the status text, stage texts 1 to 32 and stage text 0.
// The report must be its nine blocks, byte for byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "status_report.h"

namespace tvx::fuzz {
namespace {

constexpr std::size_t kMomentBytes = 9 * sizeof(int);
constexpr std::size_t kBareStageText = 5;

std::tm MomentOf(const std::uint8_t* data, std::size_t size) {
  int fields[9] = {};
  std::memcpy(fields, data, std::min(size, kMomentBytes));
  std::tm moment{};
  moment.tm_sec = fields[0];
  moment.tm_min = fields[1];
  moment.tm_hour = fields[2];
  moment.tm_mday = fields[3];
  moment.tm_mon = fields[4];
  moment.tm_year = fields[5];
  moment.tm_wday = fields[6];
  moment.tm_yday = fields[7];
  moment.tm_isdst = fields[8];
  return moment;
}

bool IsDigits(std::string_view text) {
  return text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool OneOf(std::string_view text, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (text == name) {
      return true;
    }
  }
  return false;
}

// "Sat Jun 04 14:05:09 2005", whatever the moment holds; for a moment within
// the ranges of its fields, what the C library writes for "%a %b %d %H:%M:%S %Y".
void CheckDate(const std::tm& moment, const std::string& date) {
  const std::string_view d(date);
  if (d.size() != 24 || d[3] != ' ' || d[7] != ' ' || d[10] != ' ' || d[13] != ':' ||
      d[16] != ':' || d[19] != ' ' ||
      !OneOf(d.substr(0, 3), {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}) ||
      !OneOf(d.substr(4, 3), {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct",
                              "Nov", "Dec"}) ||
      !IsDigits(d.substr(8, 2)) || !IsDigits(d.substr(11, 2)) || !IsDigits(d.substr(14, 2)) ||
      !IsDigits(d.substr(17, 2)) || !IsDigits(d.substr(20, 4))) {
    ReportFinding("report date not of the 24-character form", Escaped(date));
  }
  const bool inRange = moment.tm_wday >= 0 && moment.tm_wday <= 6 && moment.tm_mon >= 0 &&
                       moment.tm_mon <= 11 && moment.tm_mday >= 1 && moment.tm_mday <= 31 &&
                       moment.tm_hour >= 0 && moment.tm_hour <= 23 && moment.tm_min >= 0 &&
                       moment.tm_min <= 59 && moment.tm_sec >= 0 && moment.tm_sec <= 60 &&
                       moment.tm_year >= -1900 && moment.tm_year <= 9999 - 1900;
  if (inRange) {
    char expected[64];
    std::strftime(expected, sizeof expected, "%a %b %d %H:%M:%S %Y", &moment);
    // The C library writes years below 1000 without leading zeros.
    char year[16];
    std::snprintf(year, sizeof year, "%04d", moment.tm_year + 1900);
    const std::string want = std::string(expected, 20) + year;
    if (date != want) {
      ReportFinding("report date unlike the C library's", Escaped(date) + " / " + Escaped(want));
    }
  }
}

}  // namespace
}  // namespace tvx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tvx;
  using namespace tvx::fuzz;
  const std::tm moment = MomentOf(data, size);
  const std::size_t skip = std::min(size, kMomentBytes);
  const std::vector<std::string> parts =
      SplitInput(data + skip, size - skip, kTextSeparator, WindowTexts::kStageSlots + 2);

  WindowTexts texts;
  texts.m_statusText = parts[0];
  for (std::size_t i = 1; i < parts.size(); ++i) {
    texts.m_stageText[i % (WindowTexts::kStageSlots + 1)] = parts[i];
  }

  const std::string report = ComposeStatusReport(texts, moment);
  const std::string date = FormatReportDate(moment);
  CheckDate(moment, date);

  std::string expected = "\r\nScoring Status on " + date;
  expected += "\r\n==========================================\r\n\r\n";
  expected += "Competitors left to shoot each stage\r\n";
  expected += "====================================\r\n";
  if (expected.size() != 44 + 48 + 38 + 38) {
    ReportFinding("report blocks 1 to 4 not 168 bytes", Escaped(expected));
  }
  std::size_t stageBytes = 0;
  for (int slot = 1; slot <= WindowTexts::kStageSlots; ++slot) {
    const std::string& text = texts.m_stageText[static_cast<std::size_t>(slot)];
    expected += text;
    stageBytes += text.size();
    if (text.size() > kBareStageText) {
      expected += "\r\n";
      stageBytes += 2;
    }
  }
  expected += "\r\nCompetitors still shooting\r\n==========================\r\n";
  expected += texts.m_statusText;
  if (report.size() != 168 + stageBytes + 2 + 28 + 28 + texts.m_statusText.size()) {
    ReportFinding("report size not the sum of its blocks",
                  std::to_string(report.size()) + " bytes: \"" + Escaped(report, 2000) + "\"");
  }
  if (report != expected) {
    ReportFinding(
        "report bytes not its nine blocks",
        "\"" + Escaped(report, 2000) + "\"\nexpected \"" + Escaped(expected, 2000) + "\"");
  }
  return 0;
}
