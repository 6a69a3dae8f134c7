#include "table_scanner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine_fixtures.h"
#include "text_stream.h"

namespace tvx {
namespace {

std::vector<std::string> ReadPieces(const std::string& bytes, int limit) {
  TextStream stream;
  stream.OpenText(bytes);
  TableScanner scanner;
  std::vector<std::string> pieces;
  while (scanner.ReadPiece(stream, limit)) {
    pieces.emplace_back(scanner.Piece());
  }
  return pieces;
}

struct PieceCase {
  const char* name;
  std::string bytes;
  int limit;
  std::vector<std::string> pieces;
};

TEST(ReadPiece, SplitsTheTextIntoPieces) {
  const PieceCase cases[] = {
      {"line of 100 at limit 80",
       std::string(99, 'a') + "\n",
       80,
       {std::string(79, 'a'), std::string(20, 'a') + "\n"}},
      {"line of 79 and its LF", std::string(79, 'b') + "\n", 80, {std::string(79, 'b'), "\n"}},
      {"line of 78 and its LF", std::string(78, 'c') + "\n", 80, {std::string(78, 'c') + "\n"}},
      {"long line at limit 256",
       std::string(300, 'd') + "\n",
       256,
       {std::string(255, 'd'), std::string(45, 'd') + "\n"}},
      {"CR LF reads as LF", "ab\r\ncd\r\n", 80, {"ab\n", "cd\n"}},
      {"CR LF counts as one character",
       std::string(78, 'e') + "\r\n",
       80,
       {std::string(78, 'e') + "\n"}},
      {"a lone CR stays", "a\rb\r\r\n", 80, {"a\rb\r\n"}},
      {"a CR at the very end stays", "ab\r", 80, {"ab\r"}},
      {"Ctrl-Z ends the file",
       "one\ntwo\x1a"
       "three\n",
       80,
       {"one\n", "two"}},
      {"Ctrl-Z first",
       "\x1a"
       "x\n",
       80,
       {}},
      {"last line without LF", "x\ny", 80, {"x\n", "y"}},
      {"empty lines", "\n\n", 80, {"\n", "\n"}},
      {"empty file", "", 80, {}},
  };
  for (const PieceCase& c : cases) {
    EXPECT_EQ(ReadPieces(c.bytes, c.limit), c.pieces) << c.name;
  }
}

TEST(ReadPiece, StaysAtTheEndUntilRewound) {
  TextStream stream;
  stream.OpenText("first\nlast\n");
  TableScanner scanner;
  ASSERT_TRUE(scanner.ReadPiece(stream, 80));
  ASSERT_TRUE(scanner.ReadPiece(stream, 80));
  EXPECT_FALSE(scanner.ReadPiece(stream, 80));
  EXPECT_EQ(scanner.Piece(), "last\n") << "a read of nothing leaves the piece as it was";
  EXPECT_FALSE(scanner.ReadPiece(stream, 80));

  scanner.RewindTable(stream);
  ASSERT_TRUE(scanner.ReadPiece(stream, 80));
  EXPECT_EQ(scanner.Piece(), "first\n");
}

TEST(ReadPiece, EachTableKeepsItsOwnPosition) {
  TextStream score;
  TextStream enrolled;
  score.OpenText("s1\ns2\ns3\n");
  enrolled.OpenText("e1\ne2\n");
  TableScanner scanner;
  ASSERT_TRUE(scanner.ReadPiece(score, 80));
  ASSERT_TRUE(scanner.ReadPiece(enrolled, 80));
  ASSERT_TRUE(scanner.ReadPiece(enrolled, 80));
  EXPECT_FALSE(scanner.ReadPiece(enrolled, 80));
  ASSERT_TRUE(scanner.ReadPiece(score, 80));
  EXPECT_EQ(scanner.Piece(), "s2\n");
}

// One step on a piece: FindKey for the key (or no search at all, for a
// continuation right away), then TakeValue with its result.
struct CutStep {
  const char* key;  // nullptr: TakeValue(nullptr) without a search
  bool found;
  const char* value;  // nullptr: no value
};

struct CutCase {
  const char* name;
  std::string piece;
  std::vector<CutStep> steps;
};

TEST(TakeValue, CutsValuesAndContinues) {
  const CutCase cases[] = {
      {"second key behind the first",
       "MemberId='12' CompId='5'",
       {{"MemberId=", true, "12"}, {"CompId=", false, "5"}}},
      {"second key in front of the first",
       "CompId='5' MemberId='12'",
       {{"MemberId=", true, "12"}, {"CompId=", true, "5"}}},
      {"another attribute between",
       "MemberId='12' Other='X' CompId='5'",
       {{"MemberId=", true, "12"}, {"CompId=", false, "X"}}},
      {"empty value is skipped",
       "Lastname='' Firstname='Ann'\n",
       {{"Lastname=", true, " Firstname="}, {nullptr, false, "\n"}}},
      {"empty value, nothing after",
       "Lastname='' Firstname='Ann'",
       {{"Lastname=", true, " Firstname="}, {nullptr, false, nullptr}}},
      {"doubled apostrophes", "CompId=''7''", {{"CompId=", true, "7"}}},
      {"a run of apostrophes is one separator",
       "CompId='''7' A=''''x'",
       {{"CompId=", true, "7"}, {nullptr, false, "x"}}},
      {"key at the end of the piece", "<E CompId=", {{"CompId=", true, nullptr}}},
      {"key before the LF", "<E CompId=\n", {{"CompId=", true, nullptr}}},
      {"value without its closing apostrophe", "<E CompId='12", {{"CompId=", true, "12"}}},
      {"key inside a longer name", "XCompId='3'", {{"CompId=", true, "3"}}},
      {"text between key and apostrophe", "CompId= x'7'", {{"CompId=", true, "7"}}},
      {"search is case-sensitive", "compid='5'", {{"CompId=", false, nullptr}}},
      {"continuation right after reading", "CompId='5'", {{nullptr, false, nullptr}}},
      {"continuation stops at an earlier cut",
       "K='1' L='2' M='3'",
       {{"L=", true, "2"}, {"K=", true, "1"}, {nullptr, false, nullptr}}},
      {"continuations walk the attributes",
       "MemberId='1' A='x' B='y'\n",
       {{"MemberId=", true, "1"},
        {nullptr, false, "x"},
        {nullptr, false, "y"},
        {nullptr, false, nullptr}}},
  };
  for (const CutCase& c : cases) {
    TextStream stream;
    stream.OpenText(c.piece);
    TableScanner scanner;
    ASSERT_TRUE(scanner.ReadPiece(stream, 256)) << c.name;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const CutStep& step = c.steps[i];
      const char* place = nullptr;
      if (step.key != nullptr) {
        place = scanner.FindKey(step.key);
        EXPECT_EQ(place != nullptr, step.found) << c.name << ", step " << i;
      }
      const char* value = scanner.TakeValue(place);
      if (step.value == nullptr) {
        EXPECT_EQ(value, nullptr) << c.name << ", step " << i << ": got '" << value << "'";
      } else {
        ASSERT_NE(value, nullptr) << c.name << ", step " << i;
        EXPECT_STREQ(value, step.value) << c.name << ", step " << i;
      }
    }
  }
}

TEST(FindKey, FindsTheFirstOccurrenceBeforeTheFirstCut) {
  TextStream stream;
  stream.OpenText("A='1' B='2' A='3'\n");
  TableScanner scanner;
  ASSERT_TRUE(scanner.ReadPiece(stream, 80));
  const char* start = scanner.Piece().data();
  EXPECT_EQ(scanner.FindKey(""), start);
  EXPECT_EQ(scanner.FindKey("A="), start);
  EXPECT_EQ(scanner.FindKey("B="), start + 6);

  EXPECT_STREQ(scanner.TakeValue(scanner.FindKey("B=")), "2");
  EXPECT_EQ(scanner.Piece(), "A='1' B=") << "the cut after a taken key ends the piece";
  EXPECT_EQ(scanner.FindKey("A='3"), nullptr);
}

TEST(ParseNumber, ReadsDecimalNumbers) {
  constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kLeast = std::numeric_limits<std::int32_t>::min();
  const struct {
    const char* value;
    std::int32_t number;
  } cases[] = {
      {" 42", 42},
      {"-7", -7},
      {"+7", 7},
      {"12abc", 12},
      {"007", 7},
      {"1 2", 1},
      {"\t\n\v\f\r 5", 5},
      {"", 0},
      {" CompId=", 0},
      {"--5", 0},
      {"+-5", 0},
      {"- 5", 0},
      {"x5", 0},
      {"2147483647", kMost},
      {"2147483648", kMost},
      {"-2147483648", kLeast},
      {"-2147483649", kLeast},
      {"99999999999999999999999", kMost},
      {"-99999999999999999999999", kLeast},
      {nullptr, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseNumber(c.value), c.number) << (c.value ? c.value : "(no value)");
  }
}

TEST(IsTrueValue, OnlyTheExactWord) {
  EXPECT_TRUE(IsTrueValue("True"));
  for (const char* value : {"true", "TRUE", "False", "", "True ", " True", "Tru", "True\n", "1"}) {
    EXPECT_FALSE(IsTrueValue(value)) << "'" << value << "'";
  }
  EXPECT_FALSE(IsTrueValue(nullptr));
}

TEST(TextStream, OpensOnlyAFileThatCanBeWritten) {
  test::TempFolder folder;
  TextStream stream;
  EXPECT_FALSE(stream.Open((folder / "missing.xml").string()));
  EXPECT_FALSE(stream.IsOpen());

  // A folder does not open for writing, whoever runs the test.
  std::filesystem::create_directory(folder / "stage.xml");
  EXPECT_FALSE(stream.Open((folder / "stage.xml").string()));

  folder.Write("score.xml",
               "a\r\nb\x1a"
               "c");
  ASSERT_TRUE(stream.Open((folder / "score.xml").string()));
  TableScanner scanner;
  std::vector<std::string> pieces;
  while (scanner.ReadPiece(stream, 80)) {
    pieces.emplace_back(scanner.Piece());
  }
  EXPECT_EQ(pieces, (std::vector<std::string>{"a\n", "b"}));
}

TEST(TextStream, OpeningAgainStartsOver) {
  test::TempFolder folder;
  folder.Write("member.xml", "old\n");
  TextStream stream;
  ASSERT_TRUE(stream.Open((folder / "member.xml").string()));
  TableScanner scanner;
  ASSERT_TRUE(scanner.ReadPiece(stream, 80));
  ASSERT_FALSE(scanner.ReadPiece(stream, 80));

  folder.Write("member.xml", "new\n");
  ASSERT_TRUE(stream.Open((folder / "member.xml").string()));
  ASSERT_TRUE(scanner.ReadPiece(stream, 80));
  EXPECT_EQ(scanner.Piece(), "new\n");
}

}  // namespace
}  // namespace tvx
