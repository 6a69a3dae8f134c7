#include "status_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine_fixtures.h"

namespace tvx {
namespace {

constexpr const char* kRequested = "An update was requested...";
constexpr const char* kOpenedLines[] = {
    "\r\nMember database opened ok...", "\r\nScore database opened ok...",
    "\r\nCompetitor database opened ok...", "\r\nStages database opened ok..."};
constexpr const char* kFailedLines[] = {
    "\r\nFailed to open the member database...\r\nTry clicking update again.",
    "\r\nFailed to open the score database...\r\nTry clicking update again.",
    "\r\nFailed to open the competitor database...\r\nTry clicking update again.",
    "\r\nFailed to open the stages database... Try clicking update again."};
constexpr const char* kTableNames[] = {"member.xml", "score.xml", "enrolled.xml", "stage.xml"};

class UpdateRun : public ::testing::Test {
 protected:
  UpdateRun() { intake.workDir = folder.str(); }

  void WriteTables(const std::map<std::string, std::string>& tables) {
    for (const auto& [name, bytes] : tables) {
      folder.Write(name, bytes);
    }
  }
  void RemoveTable(const std::string& name) { std::filesystem::remove(folder / name); }

  test::TempFolder folder;
  test::FakeIntake intake;
  std::unique_ptr<StatusEngine> engine = std::make_unique<StatusEngine>();
  WindowTexts texts;
  test::RecordingWindow window{texts};
  StatusSession session{*engine, texts, window, intake};
};

// The first `present` tables of the opening order lie in the working
// directory; the update stops at the first one missing.
TEST_F(UpdateRun, ReportsEachOpenAndStopsAtTheFirstFailure) {
  for (int present = 0; present <= 4; ++present) {
    WriteTables(test::FourStageTables());
    for (int missing = present; missing < 4; ++missing) {
      RemoveTable(kTableNames[missing]);
    }
    texts.m_stageText.fill("stale");
    texts.m_cabPath = "D:\\backup\\Tarvix.cab";
    window.pushedStatus.clear();
    window.pulls = 0;
    intake.extractCalls.clear();
    intake.deleteCalls.clear();

    session.OnUpdate();

    const std::string what = std::to_string(present) + " tables present";
    // A push for the request, the two of the initialisation, one per table line.
    std::vector<std::string> pushes(3, kRequested);
    std::string progress = kRequested;
    for (int table = 0; table < present; ++table) {
      progress += kOpenedLines[table];
      pushes.push_back(progress);
    }
    if (present < 4) {
      progress += kFailedLines[present];
      pushes.push_back(progress);
      EXPECT_EQ(texts.m_statusText, progress) << what;
      EXPECT_FALSE(session.LastUpdateCompleted()) << what;
      EXPECT_TRUE(intake.deleteCalls.empty()) << what;
      for (int slot = 0; slot <= WindowTexts::kStageSlots; ++slot) {
        EXPECT_EQ(texts.m_stageText[static_cast<std::size_t>(slot)], "") << what;
      }
    } else {
      pushes.push_back(test::kFourStageStatus);
      EXPECT_EQ(texts.m_statusText, test::kFourStageStatus) << what;
      EXPECT_TRUE(session.LastUpdateCompleted()) << what;
      EXPECT_EQ(intake.deleteCalls, std::vector<std::string>{folder.str()}) << what;
      for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(texts.m_stageText[static_cast<std::size_t>(slot)],
                  test::kFourStageTexts[slot - 1])
            << what;
      }
      for (int slot = 5; slot <= WindowTexts::kStageSlots; ++slot) {
        EXPECT_EQ(texts.m_stageText[static_cast<std::size_t>(slot)], "") << what;
      }
      EXPECT_FALSE(engine->memberFile.IsOpen() || engine->scoreFile.IsOpen() ||
                   engine->enrolledFile.IsOpen() || engine->stageFile.IsOpen())
          << "the removal closes every table";
    }
    EXPECT_EQ(window.pushedStatus, pushes) << what;
    EXPECT_EQ(window.pulls, 1) << what;
    EXPECT_EQ(texts.m_cabPath, "D:\\backup\\Tarvix.cab") << what;
    ASSERT_EQ(intake.extractCalls.size(), 1u) << what;
    EXPECT_EQ(intake.extractCalls[0].cabPath, "D:\\backup\\Tarvix.cab") << what;
    EXPECT_EQ(intake.extractCalls[0].workDir, folder.str()) << what;
  }
}

TEST_F(UpdateRun, ExtractsTheRememberedCabinet) {
  intake.remembered = "E:\\match\\Tarvix.cab";
  intake.cabinetFiles = test::FourStageTables();
  session.InitializeWindow();
  EXPECT_EQ(texts.m_cabPath, "E:\\match\\Tarvix.cab");
  session.OnUpdate();
  ASSERT_EQ(intake.extractCalls.size(), 1u);
  EXPECT_EQ(intake.extractCalls[0].cabPath, "E:\\match\\Tarvix.cab");
  EXPECT_TRUE(session.LastUpdateCompleted());
  EXPECT_EQ(texts.m_statusText, test::kFourStageStatus);
}

TEST_F(UpdateRun, AChosenPathTakesThePlaceOfTheRememberedOne) {
  intake.remembered = "E:\\match\\Tarvix.cab";
  session.OnUpdate(std::string("F:\\chosen.cab"));
  ASSERT_EQ(intake.extractCalls.size(), 1u);
  EXPECT_EQ(intake.extractCalls[0].cabPath, "F:\\chosen.cab");
  EXPECT_EQ(texts.m_cabPath, "F:\\chosen.cab");
}

TEST_F(UpdateRun, WithoutARememberedPathTheDefaultStays) {
  session.InitializeWindow();
  session.OnUpdate();
  EXPECT_EQ(texts.m_cabPath, "c:\\Program Files\\Tarvix\\back");
  ASSERT_EQ(intake.extractCalls.size(), 1u);
  EXPECT_EQ(intake.extractCalls[0].cabPath, "c:\\Program Files\\Tarvix\\back");
  EXPECT_EQ(texts.m_statusText, std::string(kRequested) + kFailedLines[0]);
}

TEST_F(UpdateRun, WithoutAWorkingDirectoryNoTableOpens) {
  intake.workDir.reset();
  session.OnUpdate();
  EXPECT_EQ(texts.m_statusText, std::string(kRequested) + kFailedLines[0]);
  EXPECT_FALSE(session.LastUpdateCompleted());
  EXPECT_TRUE(intake.deleteCalls.empty());
}

TEST_F(UpdateRun, AFailedUpdateKeepsTheCountsAndClearsTheMarks) {
  WriteTables(test::FourStageTables());
  session.OnUpdate();
  ASSERT_TRUE(session.LastUpdateCompleted());
  ASSERT_TRUE(engine->shotTable.IsMarked(1, 4));

  RemoveTable("stage.xml");
  session.OnUpdate();
  EXPECT_FALSE(session.LastUpdateCompleted());
  EXPECT_EQ(engine->stageCount, 4);
  EXPECT_EQ(engine->competitorCount, 3);
  EXPECT_EQ(engine->highestCompetitor, 3);
  EXPECT_FALSE(engine->shotTable.IsMarked(1, 4));
  EXPECT_FALSE(engine->shotTable.IsMarked(1, 1));
}

// The first update marks stage 2, which its one-stage match does not count; the
// second counts two stages but has no score for stage 2.
TEST_F(UpdateRun, NoMarkOfAnEarlierUpdateSurvives) {
  std::map<std::string, std::string> tables = test::FourStageTables();
  tables["stage.xml"] = "<Stage StageId='1' StageName='Alpha' />\r\n  <Status />\r\n";
  tables["score.xml"] = test::ScoreRecord(1, 202, true) + test::ScoreRecord(2, 202, true);
  WriteTables(tables);
  session.OnUpdate();
  ASSERT_TRUE(session.LastUpdateCompleted());
  ASSERT_TRUE(engine->shotTable.IsMarked(2, 2));

  tables["stage.xml"] += "<Stage StageId='2' StageName='Bravo' />\r\n  <Status />\r\n";
  tables["score.xml"] = test::ScoreRecord(1, 202, true);
  WriteTables(tables);
  session.OnUpdate();
  ASSERT_TRUE(session.LastUpdateCompleted());
  EXPECT_FALSE(engine->shotTable.IsMarked(2, 2));
  EXPECT_EQ(texts.m_statusText, "  2 Test Shooter             (2)\r\n");
}

// A failed update leaves "member.xml" open; the next update opens it again and
// reads the table as it is then, remembered answers included.
TEST_F(UpdateRun, ATableLeftOpenIsReadAfreshByTheNextUpdate) {
  WriteTables(test::FourStageTables());
  session.OnUpdate();
  ASSERT_EQ(texts.m_statusText, test::kFourStageStatus);

  RemoveTable("score.xml");
  session.OnUpdate();
  ASSERT_FALSE(session.LastUpdateCompleted());
  EXPECT_TRUE(engine->memberFile.IsOpen());

  std::map<std::string, std::string> tables = test::FourStageTables();
  tables["member.xml"] = "<Member MemberId='202' Lastname='Renamed' Firstname='Tess' />\r\n";
  WriteTables(tables);
  session.OnUpdate();
  ASSERT_TRUE(session.LastUpdateCompleted());
  EXPECT_EQ(texts.m_statusText, "  2 Tess Renamed             (2,4)\r\n");
  EXPECT_FALSE(engine->memberFile.IsOpen());
  EXPECT_EQ(intake.deleteCalls.size(), 2u);
}

// No table handle stays held by the process after an update, failed or not.
TEST_F(UpdateRun, HoldsNoFileHandles) {
  const std::filesystem::path descriptors = "/proc/self/fd";
#ifdef _WIN32
  GTEST_SKIP() << "no list of open handles; under Wine that folder lists Wine's own";
#endif
  std::error_code error;
  if (!std::filesystem::is_directory(descriptors, error)) {
    GTEST_SKIP() << "no list of open descriptors on this system";
  }
  auto openCount = [&] {
    return std::distance(std::filesystem::directory_iterator(descriptors),
                         std::filesystem::directory_iterator());
  };
  WriteTables(test::FourStageTables());
  RemoveTable("stage.xml");
  session.OnUpdate();
  const auto before = openCount();
  for (int update = 0; update < 5; ++update) {
    session.OnUpdate();
    ASSERT_FALSE(session.LastUpdateCompleted());
  }
  EXPECT_EQ(openCount(), before);
  WriteTables(test::FourStageTables());
  session.OnUpdate();
  ASSERT_TRUE(session.LastUpdateCompleted());
  EXPECT_EQ(openCount(), before);
}

}  // namespace
}  // namespace tvx
