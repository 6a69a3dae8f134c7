#include "report_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "engine_fixtures.h"
#include "report_example.h"

namespace tvx {
namespace {

const std::string kHeader = testing::kExampleReportHead;
const std::string kMiddle = testing::kReportMiddle;
const char kNoMemberTable[] =
    "An update was requested...\r\nFailed to open the member database...\r\n"
    "Try clicking update again.";

std::string ReadBack(std::FILE* file) {
  std::string bytes;
  std::rewind(file);
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

class ReportCommand : public ::testing::Test {
 protected:
  ReportCommand() { intake.workDir = folder.str(); }
  void SetUp() override {
    ASSERT_NE(out, nullptr);
    ASSERT_NE(err, nullptr);
  }
  ~ReportCommand() override {
    if (out != nullptr) {
      std::fclose(out);
    }
    if (err != nullptr) {
      std::fclose(err);
    }
  }

  int Run(const std::vector<std::string>& args) {
    const int status = RunReportCommand(args, out, err, intake, clock);
    written = ReadBack(out);
    complained = ReadBack(err);
    return status;
  }

  test::TempFolder folder;
  test::FakeIntake intake;
  FixedClock clock{testing::ExampleMoment()};
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::string written;
  std::string complained;
};

TEST_F(ReportCommand, HelpShowsTheUsage) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_EQ(written.rfind("Usage: ", 0), 0u) << written;
  EXPECT_NE(written.find("CABINET"), std::string::npos);
  EXPECT_EQ(complained, "");
  EXPECT_TRUE(intake.extractCalls.empty());
}

TEST_F(ReportCommand, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"--frobnicate"}, {"-x"}, {"a.cab", "b.cab"}, {"a.cab", "--", "b.cab"}, {"a.cab", "-v"}};
  for (const auto& args : cases) {
    const std::string what = args.front() + " " + args.back();
    EXPECT_EQ(Run(args), 2) << what;
    EXPECT_EQ(written, "") << what;
    EXPECT_NE(complained.find("Usage: "), std::string::npos) << what;
    EXPECT_TRUE(intake.extractCalls.empty()) << what;
    std::fclose(out);
    std::fclose(err);
    out = std::tmpfile();
    err = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ASSERT_NE(err, nullptr);
  }
}

TEST_F(ReportCommand, NoTablesGiveTheFailureLine) {
  EXPECT_EQ(Run({}), 1);
  EXPECT_EQ(written, std::string(kHeader) + kMiddle + kNoMemberTable);
  EXPECT_EQ(complained, "");
  ASSERT_EQ(intake.extractCalls.size(), 1u);
  EXPECT_EQ(intake.extractCalls[0].cabPath, "c:\\Program Files\\Tarvix\\back");
  EXPECT_TRUE(intake.deleteCalls.empty());
}

TEST_F(ReportCommand, CompleteUpdateOnTablesInTheWorkingDirectory) {
  for (const auto& [name, bytes] : test::FourStageTables()) {
    folder.Write(name, bytes);
  }
  intake.remembered = "E:\\match\\Tarvix.cab";
  EXPECT_EQ(Run({}), 0);
  EXPECT_EQ(written, std::string(kHeader) +
                         "Stage  1    1\r\nStage  2    2\r\nStage  3    1\r\nStage  4    2\r\n" +
                         kMiddle + "  2 Test Shooter             (2,4)\r\n");
  EXPECT_EQ(written.size(), 322u);
  ASSERT_EQ(intake.extractCalls.size(), 1u);
  EXPECT_EQ(intake.extractCalls[0].cabPath, "E:\\match\\Tarvix.cab");
  EXPECT_EQ(intake.deleteCalls, std::vector<std::string>{folder.str()});
}

TEST_F(ReportCommand, TheCabinetArgumentIsExtracted) {
  intake.remembered = "E:\\match\\Tarvix.cab";
  intake.cabinetFiles = test::FourStageTables();
  EXPECT_EQ(Run({"--", "-odd name.cab"}), 0);
  ASSERT_EQ(intake.extractCalls.size(), 1u);
  EXPECT_EQ(intake.extractCalls[0].cabPath, "-odd name.cab");
  EXPECT_EQ(intake.extractCalls[0].workDir, folder.str());
}

TEST_F(ReportCommand, AnEmptyCabinetIsAccepted) {
  intake.remembered = "E:\\match\\Tarvix.cab";
  EXPECT_EQ(Run({""}), 1);
  EXPECT_EQ(complained, "");
  ASSERT_EQ(intake.extractCalls.size(), 1u);
  EXPECT_EQ(intake.extractCalls[0].cabPath, "");
  EXPECT_EQ(written, std::string(kHeader) + kMiddle + kNoMemberTable);
}

}  // namespace
}  // namespace tvx
