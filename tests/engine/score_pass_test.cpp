#include "score_pass.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine_fixtures.h"
#include "engine_tables.h"

namespace tvx {
namespace {

using test::ScoreRecord;
using Mark = std::pair<int, int>;  // competitor, stage

// Competitor 2 is disqualified, stage 2 removed. Member 'x' reads as member 0;
// its competitor 5 is disqualified, so a record read as member 0 would show.
// Competitors 513 and -1 have no room in the table.
const char kEnrolled[] =
    "<E CompId='1' MemberId='101' />\r\n  <F DisqId='False' />\r\n"
    "<E CompId='2' MemberId='102' />\r\n  <F DisqId='True' />\r\n"
    "<E CompId='3' MemberId='103' />\r\n  <F DisqId='False' />\r\n"
    "<E CompId='5' MemberId='x' />\r\n  <F DisqId='True' />\r\n"
    "<E CompId='513' MemberId='613' />\r\n  <F DisqId='True' />\r\n"
    "<E CompId='-1' MemberId='601' />\r\n  <F DisqId='True' />\r\n";
const char kStage[] =
    "<S StageId='1' StageName='A' />\r\n  <F RemoveId='False' />\r\n"
    "<S StageId='2' StageName='B' />\r\n  <F RemoveId='True' />\r\n"
    "<S StageId='3' StageName='C' />\r\n  <F RemoveId='False' />\r\n";

class ScorePass : public test::EngineTables {
 protected:
  std::vector<Mark> MarksAfterPass(const std::string& score) {
    Open("", score, kEnrolled, kStage);
    MarkShotStages(*engine);
    std::vector<Mark> marks;
    for (int competitor = 1; competitor <= ShotTable::kMostCompetitor; ++competitor) {
      for (int stage = 1; stage <= ShotTable::kMostStage; ++stage) {
        if (engine->shotTable.IsMarked(competitor, stage)) {
          marks.emplace_back(competitor, stage);
        }
      }
    }
    engine->shotTable.Clear();
    return marks;
  }
};

struct PassCase {
  const char* name;
  std::string score;
  std::vector<Mark> marks;
};

TEST_P(ScorePass, MarksStagesThatCountAsDone) {
  const PassCase cases[] = {
      {"final sheet", ScoreRecord(1, 101, true), {{1, 1}}},
      {"unfinished sheet", ScoreRecord(1, 101, false), {}},
      {"disqualified competitor", ScoreRecord(3, 102, false), {{2, 3}}},
      {"removed stage", ScoreRecord(2, 101, false), {{1, 2}}},
      {"several records",
       ScoreRecord(1, 101, true) + ScoreRecord(3, 103, true) + ScoreRecord(3, 101, false) +
           ScoreRecord(1, 101, true),
       {{1, 1}, {3, 3}}},
      {"LastModify in the first piece does not count",
       "<Score StageId='1' MemberId='101' LastModify='x' />\r\n<Hits />\r\n<Sheet />\r\n",
       {}},
      {"LastModify in the second piece does not count",
       "<Score StageId='1' MemberId='101' />\r\n<Sheet LastModify='x' />\r\n<Hits />\r\n",
       {}},
      {"member in front of the stage",
       "<Score MemberId='103' StageId='1' />\r\n<Hits />\r\n<Sheet LastModify='x' />\r\n",
       {{3, 1}}},
      {"another attribute between: its value is the member",
       "<Score StageId='1' Points='101' MemberId='103' />\r\n<Hits />\r\n"
       "<Sheet LastModify='x' />\r\n",
       {{1, 1}}},
      {"a short record takes the next record's pieces",
       "<Score StageId='1' MemberId='101' />\r\n" + ScoreRecord(3, 102, false),
       {}},
      {"a member without an enrolled record marks nothing",
       ScoreRecord(1, 101, true) + ScoreRecord(3, 999, true) + ScoreRecord(2, 999, false),
       {{1, 1}}},
      {"no member value marks nothing, and takes two pieces",
       "<Score StageId='2' />\r\n<Score StageId='3' MemberId='102' />\r\n<Hits />\r\n",
       {}},
      {"no stage value marks nothing, and takes two pieces",
       "<Score MemberId='101' StageId=\r\n<Score StageId='3' MemberId='102' />\r\n<Hits />\r\n",
       {}},
      {"stages outside 1 to 32",
       ScoreRecord(33, 101, true) + ScoreRecord(0, 101, true) + ScoreRecord(-1, 102, false),
       {}},
      {"competitors outside 1 to 512", ScoreRecord(1, 613, true) + ScoreRecord(1, 601, false), {}},
      {"the table ends after the first piece",
       ScoreRecord(1, 101, true) + "<Score StageId='3' MemberId='102' />",
       {{1, 1}, {2, 3}}},
      {"the table ends after the second piece",
       "<Score StageId='1' MemberId='101' />\r\n<Sheet LastModify='x' />\r\n",
       {}},
      {"the table ends early on a removed stage",
       "<Score StageId='2' MemberId='101' />\r\n<Hits />\r\n",
       {{1, 2}}},
      {"a line of 255 characters and its LF is two pieces",
       "<Score StageId='1' MemberId='101' />" + std::string(219, ' ') +
           "\r\n<Sheet LastModify='x' />\r\n<Hits />\r\n",
       {{1, 1}}},
      {"empty table", "", {}},
      {"no stage key", "<Score MemberId='101' />\r\n<Hits />\r\n<Sheet LastModify='x' />\r\n", {}},
  };
  for (const PassCase& c : cases) {
    EXPECT_EQ(MarksAfterPass(c.score), c.marks) << c.name;
  }
}

TEST_P(ScorePass, ReadsTheScoresFromTheirStart) {
  Open("", ScoreRecord(1, 101, true) + ScoreRecord(3, 103, true), kEnrolled, kStage);
  while (engine->scanner.ReadPiece(engine->scoreFile, 256)) {
  }
  MarkShotStages(*engine);
  EXPECT_TRUE(engine->shotTable.IsMarked(1, 1));
  EXPECT_TRUE(engine->shotTable.IsMarked(3, 3));
}

INSTANTIATE_TEST_SUITE_P(Answers, ScorePass, ::testing::Bool(), test::RememberingName);

}  // namespace
}  // namespace tvx
