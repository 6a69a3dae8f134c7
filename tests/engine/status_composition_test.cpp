#include "status_composition.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine_tables.h"

namespace tvx {
namespace {

constexpr const char* kNobodyShooting = "\r\nNo competitors are currently shooting\r\n\r\n";
constexpr const char* kComplete = "The competition is complete";

class Composition : public test::EngineTables {
 protected:
  void Counts(int stages, int competitors, int highest) {
    engine->stageCount = stages;
    engine->competitorCount = competitors;
    engine->highestCompetitor = highest;
  }
  void MarkStages(int competitor, std::initializer_list<int> stages) {
    for (int stage : stages) {
      engine->shotTable.Mark(competitor, stage);
    }
  }
  void MarkStageRange(int competitor, int first, int last) {
    for (int stage = first; stage <= last; ++stage) {
      engine->shotTable.Mark(competitor, stage);
    }
  }
  // Slots 1 onwards as listed, every other slot empty.
  void ExpectStageTexts(const std::vector<std::string>& shown, const std::string& what = "") {
    for (std::size_t slot = 1; slot <= WindowTexts::kStageSlots; ++slot) {
      const std::string expected = slot <= shown.size() ? shown[slot - 1] : "";
      EXPECT_EQ(texts.m_stageText[slot], expected) << what << ", slot " << slot;
    }
  }

  WindowTexts texts;
};

// Six stages (stage 5 removed), competitors 1 to 14; 3 and 12 are still
// shooting, 7 is disqualified, the others have shot everything.
class SixStageMatch : public Composition {
 protected:
  void SetUp() override {
    Composition::SetUp();
    Open(
        "<Member MemberId='303' Lastname='Example' Firstname='Chris' />\r\n"
        "<Member MemberId='307' Lastname='Ruled' Firstname='Out' />\r\n"
        "<Member MemberId='312' Lastname='Placeholder-Longname' Firstname='Quentin' />\r\n",
        "",
        "<Enrolled CompId='3' MemberId='303' />\r\n  <Status DisqId='False' />\r\n"
        "<Enrolled CompId='7' MemberId='307' />\r\n  <Status DisqId='True' />\r\n"
        "<Enrolled CompId='12' MemberId='312' />\r\n  <Status DisqId='False' />\r\n",
        "<Stage StageId='1' StageName='A' />\r\n  <Status RemoveId='False' />\r\n"
        "<Stage StageId='2' StageName='B' />\r\n  <Status RemoveId='False' />\r\n"
        "<Stage StageId='3' StageName='C' />\r\n  <Status RemoveId='False' />\r\n"
        "<Stage StageId='4' StageName='D' />\r\n  <Status RemoveId='False' />\r\n"
        "<Stage StageId='5' StageName='E' />\r\n  <Status RemoveId='True' />\r\n"
        "<Stage StageId='6' StageName='F' />\r\n  <Status RemoveId='False' />\r\n");
    Counts(6, 14, 14);
  }
};

TEST_P(SixStageMatch, ListsTheCompetitorsStillShooting) {
  for (int competitor = 1; competitor <= 14; ++competitor) {
    if (competitor != 3 && competitor != 7 && competitor != 12) {
      MarkStageRange(competitor, 1, 6);
    }
  }
  MarkStageRange(3, 1, 3);
  MarkStageRange(12, 2, 6);
  MarkStages(7, {1, 2});
  ComposeStatus(*engine, texts);
  EXPECT_EQ(texts.m_statusText,
            "  3 Chris Example            (4,5,6)\r\n"
            " 12 Quentin Placeholder-Long (1)\r\n");
  ExpectStageTexts(
      {"Stage  1    1", "Stage  2    0", "Stage  3    1", "Stage  4    2", "", "Stage  6    2"});
}

TEST_P(SixStageMatch, CompleteWhenEveryoneHasShotEverything) {
  for (int competitor = 1; competitor <= 14; ++competitor) {
    MarkStageRange(competitor, 1, 6);
  }
  texts.m_statusText = "An update was requested...\r\nMember database opened ok...";
  ComposeStatus(*engine, texts);
  EXPECT_EQ(texts.m_statusText, std::string(kNobodyShooting) + kComplete);
  ExpectStageTexts(
      {"Stage  1    0", "Stage  2    0", "Stage  3    0", "Stage  4    0", "", "Stage  6    0"});
}

struct CompositionCase {
  const char* name;
  int stageCount;
  int competitorCount;
  int highestCompetitor;
  std::vector<std::pair<int, int>> marks;  // competitor, stage
  std::string status;
  std::vector<std::string> stageTexts;
};

// Member 101 is Ann Lee, for competitors 1 and 2; competitor 4's member has no
// record; competitor 7 is disqualified. Stage 2 is removed.
TEST_P(Composition, ComposesTheTexts) {
  const std::string nobodyAndComplete = std::string(kNobodyShooting) + kComplete;
  const CompositionCase cases[] = {
      {"no stages", 0, 3, 3, {{1, 1}}, nobodyAndComplete, {}},
      {"no competitors", 3, 0, 0, {}, nobodyAndComplete, {"Stage  1    0", "", "Stage  3    0"}},
      {"a removed stage is listed and keeps the match open",
       2,
       1,
       1,
       {{1, 1}},
       "  1 Ann Lee                  (2)\r\n",
       {"Stage  1    0", ""}},
      {"a removed stage shot by all",
       2,
       1,
       1,
       {{1, 1}, {1, 2}},
       nobodyAndComplete,
       {"Stage  1    0", ""}},
      {"a disqualified competitor gets no line but counts",
       3,
       1,
       7,
       {{7, 1}},
       kNobodyShooting,
       {"Stage  1    0", "", "Stage  3    1"}},
      {"gaps, and a competitor without a member record",
       3,
       2,
       4,
       {{1, 1}, {1, 3}, {4, 3}},
       "  1 Ann Lee                  (2)\r\n"
       "  4                          (1,2)\r\n",
       {"Stage  1    1", "", "Stage  3    0"}},
      {"nobody has started", 3, 2, 2, {}, kNobodyShooting, {"Stage  1    2", "", "Stage  3    2"}},
  };
  for (const CompositionCase& c : cases) {
    engine->shotTable.Clear();
    texts = {};
    Open("<M MemberId='101' Lastname='Lee' Firstname='Ann' />\r\n", "",
         "<E CompId='1' MemberId='101' />\r\n  <F DisqId='False' />\r\n"
         "<E CompId='2' MemberId='101' />\r\n  <F DisqId='False' />\r\n"
         "<E CompId='4' MemberId='404' />\r\n  <F DisqId='False' />\r\n"
         "<E CompId='7' MemberId='101' />\r\n  <F DisqId='True' />\r\n",
         "<S StageId='1' StageName='A' />\r\n  <F RemoveId='False' />\r\n"
         "<S StageId='2' StageName='B' />\r\n  <F RemoveId='True' />\r\n"
         "<S StageId='3' StageName='C' />\r\n  <F RemoveId='False' />\r\n");
    Counts(c.stageCount, c.competitorCount, c.highestCompetitor);
    for (const auto& [competitor, stage] : c.marks) {
      engine->shotTable.Mark(competitor, stage);
    }
    ComposeStatus(*engine, texts);
    EXPECT_EQ(texts.m_statusText, c.status) << c.name;
    ExpectStageTexts(c.stageTexts, c.name);
  }
}

TEST_P(Composition, CountsBeyondTheTableAreTakenAtItsEdge) {
  Open("", "", "", "");
  Counts(40, 2, 600);
  MarkStageRange(1, 1, 32);
  MarkStageRange(512, 1, 31);
  ComposeStatus(*engine, texts);
  EXPECT_EQ(texts.m_statusText, "512                          (32)\r\n");
  std::vector<std::string> stageTexts;
  for (int stage = 1; stage <= 31; ++stage) {
    stageTexts.push_back(FormatStageText(stage, 0));
  }
  stageTexts.push_back("Stage 32    1");
  ExpectStageTexts(stageTexts);
  EXPECT_EQ(engine->stageCount, 40);
  EXPECT_EQ(engine->highestCompetitor, 600);
}

TEST(CompositionFormats, StageTextsAndCompetitorLines) {
  EXPECT_EQ(FormatStageText(1, 1), "Stage  1    1");
  EXPECT_EQ(FormatStageText(12, 0), "Stage 12    0");
  EXPECT_EQ(FormatStageText(3, -1), "Stage  3   -1");
  EXPECT_EQ(FormatStageText(32, 12345), "Stage 32 12345");
  EXPECT_EQ(FormatCompetitorLine(2, "Test Shooter", "2,4"),
            "  2 Test Shooter             (2,4)\r\n");
  EXPECT_EQ(FormatCompetitorLine(1000, "Bea Long-Name-Over-Twenty-Four", "1,2"),
            "1000 Bea Long-Name-Over-Twent (1,2)\r\n");
  EXPECT_EQ(FormatCompetitorLine(7, std::string(24, 'n'), "1"),
            "  7 " + std::string(24, 'n') + " (1)\r\n");
}

INSTANTIATE_TEST_SUITE_P(Answers, SixStageMatch, ::testing::Bool(), test::RememberingName);
INSTANTIATE_TEST_SUITE_P(Answers, Composition, ::testing::Bool(), test::RememberingName);

}  // namespace
}  // namespace tvx
