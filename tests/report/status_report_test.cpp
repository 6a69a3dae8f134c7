#include "status_report.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "report_example.h"

namespace tvx {
namespace {

using testing::Moment;

const std::tm kSaturday = testing::ExampleMoment();
const std::string kHeader = testing::kExampleReportHead;
const std::string kMiddle = testing::kReportMiddle;

TEST(StatusReport, FourStageExample) {
  WindowTexts texts;
  texts.m_stageText[1] = "Stage  1    1";
  texts.m_stageText[2] = "Stage  2    2";
  texts.m_stageText[3] = "Stage  3    1";
  texts.m_stageText[4] = "Stage  4    2";
  texts.m_statusText = "  2 Test Shooter             (2,4)\r\n";
  const std::string report = ComposeStatusReport(texts, kSaturday);
  EXPECT_EQ(report,
            "\r\nScoring Status on Sat Jun 04 14:05:09 2005"
            "\r\n==========================================\r\n\r\n"
            "Competitors left to shoot each stage\r\n"
            "====================================\r\n"
            "Stage  1    1\r\n"
            "Stage  2    2\r\n"
            "Stage  3    1\r\n"
            "Stage  4    2\r\n"
            "\r\n"
            "Competitors still shooting\r\n"
            "==========================\r\n"
            "  2 Test Shooter             (2,4)\r\n");
  EXPECT_EQ(report.size(), 322u);
}

TEST(StatusReport, BeforeAnyUpdate) {
  const std::string report = ComposeStatusReport(WindowTexts{}, kSaturday);
  EXPECT_EQ(report, std::string(kHeader) + kMiddle + "No cab file open");
  EXPECT_EQ(report.size(), 242u);
}

TEST(StatusReport, StageSlotsAndStatusAsHeld) {
  WindowTexts texts;
  for (int slot = 1; slot <= WindowTexts::kStageSlots; ++slot) {
    texts.m_stageText[static_cast<std::size_t>(slot)] = "s" + std::to_string(slot) + "-text";
  }
  texts.m_stageText[0] = "never shown";
  texts.m_stageText[2] = "";
  texts.m_stageText[3] = "abcde";  // five characters: no line end
  texts.m_stageText[4] = "abcdef";
  texts.m_statusText = "x\ny\r\nThe competition is complete";

  std::string stages = "s1-text\r\nabcdeabcdef\r\n";
  for (int slot = 5; slot <= WindowTexts::kStageSlots; ++slot) {
    stages += "s" + std::to_string(slot) + "-text\r\n";
  }
  EXPECT_EQ(ComposeStatusReport(texts, kSaturday),
            kHeader + stages + kMiddle + "x\ny\r\nThe competition is complete");
}

TEST(ReportDate, EnglishNamesAndTwoDigitFields) {
  const struct {
    std::tm moment;
    const char* text;
  } cases[] = {
      {Moment(2005, 6, 4, 6, 14, 5, 9), "Sat Jun 04 14:05:09 2005"},
      {Moment(2023, 1, 1, 0, 0, 0, 0), "Sun Jan 01 00:00:00 2023"},
      {Moment(2024, 2, 12, 1, 23, 59, 59), "Mon Feb 12 23:59:59 2024"},
      {Moment(2024, 3, 19, 2, 9, 8, 7), "Tue Mar 19 09:08:07 2024"},
      {Moment(2024, 4, 24, 3, 10, 0, 1), "Wed Apr 24 10:00:01 2024"},
      {Moment(2024, 5, 30, 4, 12, 30, 0), "Thu May 30 12:30:00 2024"},
      {Moment(2024, 7, 5, 5, 1, 2, 3), "Fri Jul 05 01:02:03 2024"},
      {Moment(2024, 8, 31, 6, 6, 6, 6), "Sat Aug 31 06:06:06 2024"},
      {Moment(2024, 9, 9, 1, 19, 45, 10), "Mon Sep 09 19:45:10 2024"},
      {Moment(2024, 10, 10, 4, 20, 0, 0), "Thu Oct 10 20:00:00 2024"},
      {Moment(2024, 11, 2, 6, 7, 7, 7), "Sat Nov 02 07:07:07 2024"},
      {Moment(1999, 12, 31, 5, 23, 59, 58), "Fri Dec 31 23:59:58 1999"},
  };
  for (const auto& c : cases) {
    const std::string date = FormatReportDate(c.moment);
    EXPECT_EQ(date, c.text);
    EXPECT_EQ(date.size(), 24u);
  }
}

}  // namespace
}  // namespace tvx
