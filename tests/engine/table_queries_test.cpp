#include "table_queries.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine_tables.h"

namespace tvx {
namespace {

using Queries = test::EngineTables;

std::string Enrolled(int competitor, int member) {
  return "<Enrolled CompId='" + std::to_string(competitor) + "' MemberId='" +
         std::to_string(member) + "' />\r\n  <Status DisqId='False' />\r\n";
}

struct CountCase {
  const char* name;
  std::string stage;
  std::string enrolled;
  std::int32_t stageCount;
  std::int32_t competitorCount;
  std::int32_t highestCompetitor;
};

TEST_P(Queries, CountsPiecesHoldingTheKeys) {
  std::string gaps;
  for (int competitor = 1; competitor <= 10; ++competitor) {
    gaps += Enrolled(competitor, 100 + competitor);
  }
  for (int competitor = 100; competitor <= 110; ++competitor) {
    gaps += Enrolled(competitor, 100 + competitor);
  }
  const std::string split = std::string(75, ' ') + "<S StageName='Split' />\r\n";
  const CountCase cases[] = {
      {"numbers with a gap",
       "<Stage StageId='1' StageName='A' />\r\n  <Status RemoveId='False' />\r\n"
       "<Stage StageId='2' StageName='B' />\r\n  <Status RemoveId='True' />\r\n",
       gaps, 2, 21, 110},
      {"no number above 0", "",
       "<E CompId='0' />\r\n<E CompId='-4' />\r\n<E CompId='x' />\r\n<E CompId=\r\n", 0, 4, 0},
      {"repeated numbers count twice", "", "<E CompId='5' />\n<E CompId='5' />\n<E CompId='2' />\n",
       0, 3, 5},
      {"no keys at all", "<Stage StageId='1' />\n", "<Enrolled MemberId='3' />\n", 0, 0, 0},
      {"a key split by the 79 boundary is not counted", split + split, "", 0, 0, 0},
      {"a piece, not a line, counts",
       "StageName='A'" + std::string(70, ' ') + "StageName='B'\n" + std::string(90, ' ') +
           "StageName='C'\n",
       "", 3, 0, 0},
  };
  for (const CountCase& c : cases) {
    engine->stageCount = engine->competitorCount = engine->highestCompetitor = 99;
    Open("", "", c.enrolled, c.stage);
    CountStagesAndCompetitors(*engine);
    EXPECT_EQ(engine->stageCount, c.stageCount) << c.name;
    EXPECT_EQ(engine->competitorCount, c.competitorCount) << c.name;
    EXPECT_EQ(engine->highestCompetitor, c.highestCompetitor) << c.name;
  }
}

TEST_P(Queries, CountsFromWhereTheTablesStand) {
  Open("", "", "<E CompId='9' />\n<E CompId='4' />\n",
       "<S StageName='A' />\n<S StageName='B' />\n");
  ASSERT_TRUE(engine->scanner.ReadPiece(engine->stageFile, 80));
  ASSERT_TRUE(engine->scanner.ReadPiece(engine->enrolledFile, 80));
  CountStagesAndCompetitors(*engine);
  EXPECT_EQ(engine->stageCount, 1);
  EXPECT_EQ(engine->competitorCount, 1);
  EXPECT_EQ(engine->highestCompetitor, 4);
}

// A lookup of one number for another in "enrolled.xml".
struct LookupCase {
  const char* name;
  void (*lookup)(StatusEngine&, std::int32_t, std::int32_t&);
  std::string enrolled;
  std::int32_t wanted;
  std::int32_t expected;  // the caller's number starts as 42
};

TEST_P(Queries, LooksUpCompetitorAndMemberNumbers) {
  const auto forMember = FindCompetitorForMember;
  const auto forCompetitor = FindMemberForCompetitor;
  const LookupCase cases[] = {
      {"member, competitor behind", forMember, "<E CompId='3' MemberId='103' />\n", 103, 3},
      {"member, competitor in front", forMember, "<E MemberId='103' CompId='3' />\n", 103, 3},
      {"member, another attribute between", forMember,
       "<E MemberId='103' Squad='7' CompId='3' />\n", 103, 7},
      {"member, the first record wins", forMember,
       "<E CompId='3' MemberId='103' />\n<E CompId='9' MemberId='103' />\n", 103, 3},
      {"member without a record", forMember, "<E CompId='3' MemberId='103' />\n", 104, 42},
      {"member key split by the 79 boundary", forMember,
       std::string(75, ' ') + "<E MemberId='103' CompId='3' />\n", 103, 42},
      {"member in a line's second piece", forMember,
       std::string(80, ' ') + "<E MemberId='103' CompId='3' />\n", 103, 3},
      {"member record without a further value", forMember, "<E MemberId='103' />\n", 103, 0},
      {"competitor, member behind", forCompetitor, "<E CompId='3' MemberId='103' />\n", 3, 103},
      {"competitor, member in front", forCompetitor, "<E MemberId='103' CompId='3' />\n", 3, 103},
      {"competitor, the first record wins", forCompetitor,
       "<E CompId='3' MemberId='103' />\n<E CompId='3' MemberId='203' />\n", 3, 103},
      {"competitor without a record", forCompetitor, "<E CompId='3' MemberId='103' />\n", 4, 42},
  };
  for (const LookupCase& c : cases) {
    Open("", "", c.enrolled, "");
    std::int32_t number = 42;
    c.lookup(*engine, c.wanted, number);
    EXPECT_EQ(number, c.expected) << c.name;
  }
}

struct NameCase {
  const char* name;
  std::string member;
  std::string enrolled;
  std::int32_t competitor;
  std::string expected;  // the name starts as "Old Name"
};

TEST_P(Queries, FormatsCompetitorNames) {
  const std::string enrolled = "<E CompId='4' MemberId='104' />\n";
  const NameCase cases[] = {
      {"first name first", "<M MemberId='104' Lastname='Lee' Firstname='Ann' />\n", enrolled, 4,
       "Ann Lee"},
      {"names in front of the member number",
       "<M Lastname='Lee' Firstname='Ann' MemberId='104' />\n", enrolled, 4, "Ann Lee"},
      {"first name in front of both", "<M Firstname='Ann' MemberId='104' Lastname='Lee' />\n",
       enrolled, 4, "Ann Lee"},
      {"the member number comes from the enrolled record",
       "<M MemberId='4' Lastname='Wrong' Firstname='Who' />\n"
       "<M MemberId='104' Lastname='Lee' Firstname='Ann' />\n",
       enrolled, 4, "Ann Lee"},
      {"without an enrolled record the competitor is a member",
       "<M MemberId='5' Lastname='Doe' Firstname='Jo' />\n", enrolled, 5, "Jo Doe"},
      {"no member record leaves the name", "<M MemberId='105' Lastname='Doe' Firstname='Jo' />\n",
       enrolled, 4, "Old Name"},
      {"without name keys the continuations decide", "<M MemberId='104' Club='Xy' Town='Zed' />\n",
       enrolled, 4, "Zed Xy"},
      {"a missing value is an empty name part", "<M MemberId='104' Club='Xy' />\n", enrolled, 4,
       " Xy"},
      {"names as they stand", "<M MemberId='104' Lastname='o&amp;neil ' Firstname=' ann' />\n",
       enrolled, 4, " ann o&amp;neil "},
      {"a name of 63 bytes stays whole",
       "MemberId='7'x'" + std::string(31, 'L') + "'y'" + std::string(31, 'F') + "\n", enrolled, 7,
       std::string(31, 'F') + " " + std::string(31, 'L')},
      {"a longer name is cut to 63 bytes", "Lastname='" + std::string(56, 'L') + "MemberId='7'\n",
       enrolled, 7, " " + std::string(56, 'L') + "Member"},
  };
  for (const NameCase& c : cases) {
    Open(c.member, "", c.enrolled, "");
    std::string name = "Old Name";
    FormatCompetitorName(*engine, c.competitor, name);
    EXPECT_EQ(name, c.expected) << c.name;
  }
}

struct FlagCase {
  const char* name;
  bool (*query)(StatusEngine&, std::int32_t);
  std::string table;
  std::int32_t number;
  bool expected;
};

TEST_P(Queries, AnswersDisqualifiedAndRemoved) {
  const auto disq = IsDisqualified;
  const auto removed = IsStageRemoved;
  const FlagCase cases[] = {
      {"disqualified", disq, "<E CompId='7' />\r\n  <F DisqId='True' />\r\n", 7, true},
      {"DisqId False", disq, "<E CompId='7' />\r\n  <F DisqId='False' />\r\n", 7, false},
      {"DisqId true", disq, "<E CompId='7' />\r\n  <F DisqId='true' />\r\n", 7, false},
      {"DisqId without a value", disq, "<E CompId='7' />\r\n  <F DisqId=\r\n", 7, false},
      {"DisqId on the record's own piece only", disq,
       "<E CompId='7' DisqId='True' />\r\n  <F Other='1' />\r\n", 7, false},
      {"record is the last piece", disq,
       "<E CompId='1' />\n<F DisqId='True' />\n<E DisqId='True' CompId='7' />", 7, false},
      {"competitor without a record", disq, "<E CompId='7' />\r\n  <F DisqId='True' />\r\n", 8,
       false},
      {"a record right behind another", disq,
       "<E CompId='1' />\n<E CompId='2' />\n<F DisqId='True' />\n", 2, true},
      {"the follow-up piece of one record is the next record", disq,
       "<E CompId='1' />\n<E CompId='2' />\n<F DisqId='True' />\n", 1, false},
      {"the first record wins", disq,
       "<E CompId='7' />\n<F DisqId='False' />\n<E CompId='7' />\n<F DisqId='True' />\n", 7, false},
      {"follow-up piece read up to 79", disq,
       "<E CompId='7' />\n" + std::string(70, ' ') + "DisqId='True'\n", 7, false},
      {"follow-up piece within 79", disq,
       "<E CompId='7' />\n" + std::string(60, ' ') + "DisqId='True'\n", 7, true},
      {"record piece split at 255", disq,
       "<E CompId='7'" + std::string(250, ' ') + " DisqId='True' />\n", 7, true},
      {"removed", removed, "<S StageId='3' StageName='C' />\r\n  <F RemoveId='True' />\r\n", 3,
       true},
      {"RemoveId False", removed, "<S StageId='3' StageName='C' />\r\n  <F RemoveId='False' />\r\n",
       3, false},
      {"RemoveId on the record's own piece only", removed,
       "<S StageId='3' RemoveId='True' />\r\n  <F />\r\n", 3, false},
      {"stage record is the last piece", removed, "<S RemoveId='True' StageId='3' />\n", 3, false},
      {"stage without a record", removed,
       "<S StageId='3' StageName='C' />\r\n  <F RemoveId='True' />\r\n", 4, false},
  };
  for (const FlagCase& c : cases) {
    const bool isDisq = c.query == disq;
    Open("", "", isDisq ? c.table : "", isDisq ? "" : c.table);
    EXPECT_EQ(c.query(*engine, c.number), c.expected) << c.name;
  }
}

TEST_P(Queries, AQueryReplacesThePieceButNotAnotherTablesPosition) {
  Open("", "s1\ns2\n", "<E CompId='3' MemberId='103' />\n", "");
  ASSERT_TRUE(engine->scanner.ReadPiece(engine->scoreFile, 256));
  std::int32_t competitor = 0;
  FindCompetitorForMember(*engine, 103, competitor);
  ASSERT_EQ(competitor, 3);
  ASSERT_TRUE(engine->scanner.ReadPiece(engine->scoreFile, 256));
  EXPECT_EQ(engine->scanner.Piece(), "s2\n");
}

INSTANTIATE_TEST_SUITE_P(Answers, Queries, ::testing::Bool(), test::RememberingName);

}  // namespace
}  // namespace tvx
