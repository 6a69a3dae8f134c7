// The queries may remember their answers for one update. Whatever the tables
// hold, an update with remembering on must give exactly the texts of an update
// that rescans every table for every question.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "match_tables.h"
#include "status_session.h"
#include "tables_in_place.h"

namespace fs = std::filesystem;

namespace tvx {
namespace {

struct UpdateResult {
  WindowTexts texts;
  bool completed = false;
  std::int32_t stageCount = 0;
  std::int32_t competitorCount = 0;
  std::int32_t highestCompetitor = 0;
};

UpdateResult RunUpdate(const std::string& folder, bool remember) {
  StatusEngine engine;
  engine.rememberAnswers = remember;
  UpdateResult result;
  HeadlessWindow window;
  testing::TablesInPlace intake(folder);
  StatusSession session(engine, result.texts, window, intake);
  session.InitializeWindow();
  session.OnUpdate();
  result.completed = session.LastUpdateCompleted();
  result.stageCount = engine.stageCount;
  result.competitorCount = engine.competitorCount;
  result.highestCompetitor = engine.highestCompetitor;
  return result;
}

class RememberedAnswers : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("tvx-remembered-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Both ways on the same tables; every text and count must agree, and every
  // text must stay within its limits.
  void ExpectSameBothWays(const std::vector<testing::TableFile>& tables, const std::string& what) {
    ASSERT_TRUE(testing::WriteTableFiles(folder_.string(), tables));
    const UpdateResult remembered = RunUpdate(folder_.string(), true);
    const UpdateResult rescanned = RunUpdate(folder_.string(), false);
    ASSERT_TRUE(remembered.completed) << what;
    EXPECT_EQ(remembered.texts.m_statusText, rescanned.texts.m_statusText) << what;
    EXPECT_EQ(remembered.texts.m_stageText, rescanned.texts.m_stageText) << what;
    EXPECT_EQ(remembered.stageCount, rescanned.stageCount) << what;
    EXPECT_EQ(remembered.competitorCount, rescanned.competitorCount) << what;
    EXPECT_EQ(remembered.highestCompetitor, rescanned.highestCompetitor) << what;
    for (const std::string& stageText : remembered.texts.m_stageText) {
      EXPECT_LE(stageText.size(), 24u) << what;
    }
    std::size_t lineStart = 0;
    const std::string& status = remembered.texts.m_statusText;
    while (lineStart < status.size()) {
      std::size_t lineEnd = status.find("\r\n", lineStart);
      lineEnd = lineEnd == std::string::npos ? status.size() : lineEnd + 2;
      EXPECT_LE(lineEnd - lineStart, 128u) << what;
      lineStart = lineEnd;
    }
  }

  fs::path folder_;
};

TEST_F(RememberedAnswers, RealisticMatches) {
  const testing::MatchShape shapes[] = {
      {},                                   // the sample's shape
      {150, 12, 1, 2, 20, 3, 5, true, 7},   // a typical club match
      {40, 6, 2, 3, 10, 2, 8, true, 3},     // two stages removed
      {512, 32, 0, 0, 0, 0, 0, false, 9},   // the largest match, all shot
      {520, 34, 1, 5, 30, 5, 10, true, 4},  // beyond the table's room
      {1, 1, 0, 0, 0, 0, 1, false, 5},      // one competitor, one stage
      {0, 4, 0, 0, 0, 0, 0, false, 6},      // nobody enrolled
  };
  for (const auto& shape : shapes) {
    const auto match = testing::GenerateMatch(shape);
    ExpectSameBothWays(testing::MatchTables(match, false),
                       "competitors " + std::to_string(shape.competitors) + ", seed " +
                           std::to_string(shape.seed));
  }
}

TEST_F(RememberedAnswers, OddTables) {
  const auto match = testing::GenerateMatch({30, 8, 1, 2, 8, 2, 4, true, 21});
  const auto tables = testing::MatchTables(match, false);
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    ExpectSameBothWays(testing::OddTables(tables, seed), "odd seed " + std::to_string(seed));
  }
}

}  // namespace
}  // namespace tvx
