#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx::testing {

// A match as the scoring program would export it.
struct MatchCompetitor {
  std::int32_t compId = 0;
  std::int32_t memberId = 0;
  std::string firstname;
  std::string lastname;
  bool disqualified = false;
};

struct MatchStage {
  std::int32_t stageId = 0;
  std::string name;
  bool removed = false;
};

struct MatchScore {
  std::int32_t stageId = 0;
  std::int32_t memberId = 0;
  bool final = true;  // an unfinished score sheet has no LastModify
};

struct Match {
  std::vector<MatchCompetitor> competitors;
  std::vector<MatchStage> stages;
  std::vector<MatchScore> scores;
};

// The shape of a generated match.
struct MatchShape {
  int competitors = 20;
  int stages = 8;
  int removedStages = 1;
  int disqualified = 1;
  int stillShooting = 4;     // competitors with some stages left
  int notStarted = 1;        // competitors with no score yet
  int unfinishedScores = 2;  // score sheets entered but not final
  bool numberGaps = true;
  std::uint32_t seed = 1;
};

// A realistic match: names (some with a byte above 127, as in Windows-1252),
// competitor numbers with gaps, member numbers unlike competitor numbers.
Match GenerateMatch(const MatchShape& shape);

// The exported tables, shaped like the real ones: a schema header, then one
// record per row, its attributes wrapped over several lines, CR LF line ends.
std::string MemberTable(const Match& match);
std::string EnrolledTable(const Match& match);
std::string StageTable(const Match& match);
std::string ScoreTable(const Match& match);
// One of the six tables that a backup holds besides the four that are read.
std::string OtherTable(const std::string& name);

inline constexpr const char* kReadTables[] = {"member.xml", "score.xml", "enrolled.xml",
                                              "stage.xml"};
inline constexpr const char* kOtherTables[] = {"classify.xml", "club.xml", "squad.xml",
                                               "tag.xml",      "team.xml", "thematch.xml"};

struct TableFile {
  std::string name;
  std::string bytes;
};

// The four read tables, and with `withOthers` the six others as well.
std::vector<TableFile> MatchTables(const Match& match, bool withOthers);

// Writes the files into `folder`; false when one could not be written.
bool WriteTableFiles(const std::string& folder, const std::vector<TableFile>& files);

// Tables of odd shape made from good ones: lines dropped, doubled, cut or split,
// LF for CR LF, empty values, doubled apostrophes, keys moved, a Ctrl-Z. The
// same seed gives the same tables.
std::vector<TableFile> OddTables(const std::vector<TableFile>& tables, std::uint32_t seed);

}  // namespace tvx::testing
