#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "disk_intake.h"
#include "remembered_path.h"
#include "sandbox.h"
#include "scoped_env.h"
#include "status_engine.h"
#include "status_session.h"
#include "window_texts.h"
#include "work_paths.h"

namespace tvx {
namespace {

namespace fs = std::filesystem;
using testing::ListTree;
using testing::Sandbox;
using testing::ScopedEnv;

const std::string kRequested = "An update was requested...";
const std::string kMemberFailed =
    kRequested + "\r\nFailed to open the member database...\r\nTry clicking update again.";
const std::string kScoreFailed =
    kRequested +
    "\r\nMember database opened ok..."
    "\r\nFailed to open the score database...\r\nTry clicking update again.";
const std::string kStagesFailed =
    kRequested +
    "\r\nMember database opened ok...\r\nScore database opened ok..."
    "\r\nCompetitor database opened ok..."
    "\r\nFailed to open the stages database... Try clicking update again.";

// One window's updates, headless, with TEMP on a sandbox's working directory.
class UpdateWithCabinetTest : public ::testing::Test {
 protected:
  void Update(const std::optional<std::string>& cabinet = std::nullopt) {
    session_.OnUpdate(cabinet);
  }
  std::string Fixture(const char* name) const { return testing::FixturePath(name); }
  std::string InWork(const std::string& name) const { return WorkPath(sandbox_.work(), name); }

  Sandbox sandbox_;
  ScopedEnv temp_{"TEMP", sandbox_.work()};
  StatusEngine engine_;
  WindowTexts texts_;
  HeadlessWindow window_;
  DiskIntake intake_;
  StatusSession session_{engine_, texts_, window_, intake_};
};

struct UpdateCase {
  const char* what;
  std::string cabinet;
  bool completes;
  std::string failedStatus;  // the status of an update that does not complete
  std::vector<std::string> left;
};

TEST_F(UpdateWithCabinetTest, RunsOnTheTablesOfTheCabinet) {
  const std::vector<UpdateCase> cases = {
      {"all ten tables", Fixture("tables_mszip.cab"), true, "", {"readme.txt"}},
      {"uncompressed, with a folder",
       Fixture("tables_stored.cab"),
       true,
       "",
       {"notes", "notes/today.txt", "readme.txt"}},
      {"no classify.xml",
       Fixture("no_classify.cab"),
       true,
       "",
       {"club.xml", "readme.txt", "squad.xml", "tag.xml", "team.xml", "thematch.xml"}},
      {"no score.xml",
       Fixture("no_score.cab"),
       false,
       kScoreFailed,
       {"classify.xml", "club.xml", "enrolled.xml", "member.xml", "readme.txt", "squad.xml",
        "stage.xml", "tag.xml", "team.xml", "thematch.xml"}},
      {"no stage.xml",
       Fixture("no_stage.cab"),
       false,
       kStagesFailed,
       {"classify.xml", "club.xml", "enrolled.xml", "member.xml", "readme.txt", "score.xml",
        "squad.xml", "tag.xml", "team.xml", "thematch.xml"}},
      {"a cabinet path that does not exist",
       sandbox_.Path("missing.cab"),
       false,
       kMemberFailed,
       {}},
      {"the default path", WindowTexts::kDefaultCabPath, false, kMemberFailed, {}},
  };
  for (const UpdateCase& update : cases) {
    fs::remove_all(sandbox_.work());
    fs::create_directory(sandbox_.work());
    engine_.stageCount = 0;
    engine_.competitorCount = 0;
    Update(update.cabinet);
    EXPECT_EQ(session_.LastUpdateCompleted(), update.completes) << update.what;
    if (update.completes) {
      EXPECT_EQ(texts_.m_statusText.find("opened ok"), std::string::npos) << update.what;
      EXPECT_EQ(engine_.stageCount, 2) << update.what;
      EXPECT_EQ(engine_.competitorCount, 3) << update.what;
    } else {
      EXPECT_EQ(texts_.m_statusText, update.failedStatus) << update.what;
    }
    EXPECT_EQ(ListTree(sandbox_.work()), update.left) << update.what;
  }
}

TEST_F(UpdateWithCabinetTest, RunsOnTablesAlreadyThereWhenNothingIsExtracted) {
  for (const char* table : {"member.xml", "score.xml", "enrolled.xml", "stage.xml"}) {
    fs::copy_file(testing::TablePath(table), InWork(table));
  }
  Update(sandbox_.Path("missing.cab"));
  EXPECT_TRUE(session_.LastUpdateCompleted());
  EXPECT_EQ(engine_.stageCount, 2);
  EXPECT_TRUE(ListTree(sandbox_.work()).empty());
}

TEST_F(UpdateWithCabinetTest, AFailedUpdatesFilesAreReplacedAndRemovedByTheNext) {
  Update(Fixture("no_score.cab"));
  EXPECT_FALSE(session_.LastUpdateCompleted());
  Update(Fixture("tables_mszip.cab"));
  EXPECT_TRUE(session_.LastUpdateCompleted());
  EXPECT_EQ(ListTree(sandbox_.work()), std::vector<std::string>{"readme.txt"});
}

TEST_F(UpdateWithCabinetTest, RunsOnTheRememberedPathHoweverLong) {
  // A path well over 256 bytes: it must not be cut to another path.
  std::size_t lastFolder = 120;
#ifdef _WIN32
  // Windows's cabinet iteration takes no cabinet path over 257 bytes (Wine's,
  // at least): just over 256 there.
  const std::size_t around = sandbox_.Path(std::string(120, 'f') + "/").size() + 11;
  ASSERT_LT(around, 257u);
  lastFolder = 257 - around;
#endif
  const std::string folder =
      sandbox_.Path(std::string(120, 'f') + "/" + std::string(lastFolder, 'g'));
  fs::create_directories(folder);
  const std::string cabinet = WorkPath(folder, "Tarvix.cab");
  fs::copy_file(Fixture("tables_mszip.cab"), cabinet);
  ASSERT_GT(cabinet.size(), 256u);
  ASSERT_TRUE(WriteRememberedPath(sandbox_.work(), cabinet));

  session_.InitializeWindow();
  EXPECT_EQ(texts_.m_cabPath, cabinet);
  Update();
  EXPECT_TRUE(session_.LastUpdateCompleted());
  EXPECT_EQ(ListTree(sandbox_.work()), (std::vector<std::string>{"readme.txt", "tvxinfo.cst"}));
}

TEST_F(UpdateWithCabinetTest, FirstStartWithoutARememberedPathFailsAtTheMemberTable) {
  session_.InitializeWindow();
  EXPECT_EQ(texts_.m_cabPath, WindowTexts::kDefaultCabPath);
  Update();
  EXPECT_EQ(texts_.m_statusText, kMemberFailed);
  EXPECT_TRUE(ListTree(sandbox_.work()).empty());
}

}  // namespace
}  // namespace tvx
