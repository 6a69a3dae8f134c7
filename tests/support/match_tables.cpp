#include "match_tables.h"

#include <cstdio>
#include <random>
#include <utility>

namespace tvx::testing {

namespace {

// Draws from one engine whose sequence the standard fixes, mapped by our own
// code, so a seed gives the same match with every standard library.
class Draw {
 public:
  explicit Draw(std::uint32_t seed) : engine_(seed) {}
  int Below(int bound) {
    return bound <= 0 ? 0 : static_cast<int>(engine_() % static_cast<std::uint32_t>(bound));
  }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  std::mt19937 engine_;
};

// Windows-1252 bytes above 127 appear in real names.
constexpr const char* kFirstnames[] = {"Ann",  "Chris", "Eva",  "Jos\xe9", "Lars",     "Mia",
                                       "Noah", "Olga",  "Pete", "Ren\xe9", "Sara",     "Tom",
                                       "Ulla", "Vic",   "Wim",  "Zo\xeb",  "Bj\xf6rn", "Ines"};
constexpr const char* kLastnames[] = {"Lee",
                                      "Rossi",
                                      "M\xfcller",
                                      "Smith",
                                      "Garc\xed"
                                      "a",
                                      "Nagy",
                                      "Olsen",
                                      "Brown",
                                      "Novak",
                                      "Dubois",
                                      "Kowalski",
                                      "Jansen",
                                      "Fischer",
                                      "O&#39;Hara",
                                      "Silva",
                                      "Walker",
                                      "Ekstr\xf6m",
                                      "Moreau"};
constexpr const char* kWords[] = {"alpha", "bravo", "steel", "range", "bay",   "paper",
                                  "north", "south", "timer", "relay", "squad", "match"};

struct Attribute {
  std::string name;
  std::string value;
  bool startsLine = false;
};

std::string Words(Draw& draw, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      text += ' ';
    }
    text += draw.Pick(kWords);
  }
  return text;
}

std::string Number(int value) {
  return std::to_string(value);
}

std::string Timestamp(Draw& draw) {
  char text[64];
  std::snprintf(text, sizeof text, "2026-%02d-%02dT%02d:%02d:%02d", 1 + draw.Below(12),
                1 + draw.Below(28), draw.Below(24), draw.Below(60), draw.Below(60));
  return text;
}

// A record: "\t<z:row" and its attributes, a blank before each; a line ends
// before the attribute that would pass the width (or that starts a line), and
// the next line starts with two tabs.
std::string Record(const std::vector<Attribute>& attributes, std::size_t width) {
  std::string record;
  std::string line = "\t<z:row";
  bool lineHasAttribute = false;
  for (const Attribute& attribute : attributes) {
    std::string text = " " + attribute.name + "='" + attribute.value + "'";
    if (lineHasAttribute && (attribute.startsLine || line.size() + text.size() > width)) {
      record += line + "\r\n";
      line = "\t\t";
    }
    line += text;
    lineHasAttribute = true;
  }
  record += line + "/>\r\n";
  return record;
}

struct Column {
  const char* name;
  const char* type;
};

std::string Table(const std::vector<Column>& columns, const std::string& records) {
  std::string table =
      "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"
      "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\r\n"
      "\txmlns:rs='urn:schemas-microsoft-com:rowset'\r\n"
      "\txmlns:z='#RowsetSchema'>\r\n"
      "<s:Schema id='RowsetSchema'>\r\n"
      "\t<s:ElementType name='row' content='eltOnly'>\r\n";
  int number = 1;
  for (const Column& column : columns) {
    table += "\t\t<s:AttributeType name='" + std::string(column.name) + "' rs:number='" +
             Number(number++) + "' rs:nullable='true'>\r\n";
    table += "\t\t\t<s:datatype dt:type='" + std::string(column.type) + "'/>\r\n";
    table += "\t\t</s:AttributeType>\r\n";
  }
  table +=
      "\t\t<s:extends type='rs:rowbase'/>\r\n\t</s:ElementType>\r\n</s:Schema>\r\n<rs:data>\r\n";
  table += records;
  table += "</rs:data>\r\n</xml>\r\n";
  return table;
}

std::vector<Column> ColumnsOf(const std::vector<Attribute>& attributes) {
  std::vector<Column> columns;
  for (const Attribute& attribute : attributes) {
    columns.push_back({attribute.name.c_str(), "string"});
  }
  return columns;
}

std::string TableOf(const std::vector<std::vector<Attribute>>& records, std::size_t width,
                    const std::vector<Attribute>& columnsOfEmpty) {
  std::string rows;
  for (const auto& record : records) {
    rows += Record(record, width);
  }
  const auto& first = records.empty() ? columnsOfEmpty : records.front();
  return Table(ColumnsOf(first), rows);
}

const char* TrueOrFalse(bool value) {
  return value ? "True" : "False";
}

}  // namespace

Match GenerateMatch(const MatchShape& shape) {
  Draw draw(shape.seed);
  Match match;
  for (int s = 1; s <= shape.stages; ++s) {
    match.stages.push_back({s, "Stage " + Number(s), false});
  }
  for (int r = 0; r < shape.removedStages && r < shape.stages; ++r) {
    match.stages[static_cast<std::size_t>(shape.stages - 2 - r >= 0 ? shape.stages - 2 - r : r)]
        .removed = true;
  }

  int compId = 0;
  for (int c = 0; c < shape.competitors; ++c) {
    compId += 1;
    if (shape.numberGaps && draw.Chance(12)) {
      compId += 1 + draw.Below(3);  // withdrawn entries leave gaps
    }
    MatchCompetitor competitor;
    competitor.compId = compId;
    competitor.memberId = 5000 + 7 * c + draw.Below(7);
    competitor.firstname = draw.Pick(kFirstnames);
    competitor.lastname = draw.Pick(kLastnames);
    match.competitors.push_back(competitor);
  }

  // Who is where in the match: the first few have not started, the next few are
  // still shooting, one is disqualified part way, the rest are done.
  const int count = static_cast<int>(match.competitors.size());
  for (int c = 0; c < count; ++c) {
    MatchCompetitor& competitor = match.competitors[static_cast<std::size_t>(c)];
    const bool notStarted = c < shape.notStarted;
    const bool stillShooting = !notStarted && c < shape.notStarted + shape.stillShooting;
    const bool disqualified = !notStarted && !stillShooting &&
                              c < shape.notStarted + shape.stillShooting + shape.disqualified;
    competitor.disqualified = disqualified;
    if (notStarted) {
      continue;
    }
    int shot = shape.stages;
    if (stillShooting || disqualified) {
      shot = shape.stages > 1 ? 1 + draw.Below(shape.stages - 1) : 0;
    }
    const int firstStage = draw.Below(shape.stages > 0 ? shape.stages : 1);
    for (int k = 0; k < shot; ++k) {
      const int stage = 1 + (firstStage + k) % shape.stages;
      match.scores.push_back({stage, competitor.memberId, true});
    }
  }
  // Score sheets are entered in the order they come in from the ranges.
  for (std::size_t i = match.scores.size(); i > 1; --i) {
    std::swap(match.scores[i - 1],
              match.scores[static_cast<std::size_t>(draw.Below(static_cast<int>(i)))]);
  }
  for (int u = 0; u < shape.unfinishedScores && u < static_cast<int>(match.scores.size()); ++u) {
    match.scores[static_cast<std::size_t>(u)].final = false;
  }
  return match;
}

std::string MemberTable(const Match& match) {
  Draw draw(11);
  std::vector<std::vector<Attribute>> records;
  for (const MatchCompetitor& competitor : match.competitors) {
    records.push_back({{"Lastname", competitor.lastname},
                       {"Firstname", competitor.firstname},
                       {"MemberId", Number(competitor.memberId)},
                       {"ClubId", Number(1 + draw.Below(40))},
                       {"Gender", draw.Chance(70) ? "M" : "F"},
                       {"Email", Words(draw, 2)},
                       {"Street", Number(1 + draw.Below(99)) + " Range Road", true},
                       {"City", "Rangeville"},
                       {"Zip", Number(10000 + draw.Below(89999))},
                       {"Phone", "555-" + Number(1000 + draw.Below(8999))},
                       {"Birth", "1980-01-01T00:00:00", true},
                       {"LastModify", Timestamp(draw)}});
  }
  return TableOf(records, 100, {{"Lastname", ""}, {"Firstname", ""}, {"MemberId", ""}});
}

std::string EnrolledTable(const Match& match) {
  Draw draw(12);
  std::vector<std::vector<Attribute>> records;
  for (const MatchCompetitor& competitor : match.competitors) {
    records.push_back({{"CompId", Number(competitor.compId)},
                       {"MemberId", Number(competitor.memberId)},
                       {"ClassId", Number(1 + draw.Below(5))},
                       {"DivId", Number(1 + draw.Below(6))},
                       {"SquadId", Number(1 + draw.Below(20))},
                       {"PowerFactor", draw.Chance(50) ? "Major" : "Minor"},
                       {"DisqId", TrueOrFalse(competitor.disqualified), true},
                       {"Paid", TrueOrFalse(draw.Chance(80))},
                       {"Entered", Timestamp(draw)},
                       {"LastModify", Timestamp(draw)}});
  }
  return TableOf(records, 100, {{"CompId", ""}, {"MemberId", ""}, {"DisqId", ""}});
}

std::string StageTable(const Match& match) {
  Draw draw(13);
  std::vector<std::vector<Attribute>> records;
  for (const MatchStage& stage : match.stages) {
    records.push_back({{"StageId", Number(stage.stageId)},
                       {"StageName", stage.name},
                       {"Rounds", Number(6 + draw.Below(30))},
                       {"Targets", Number(2 + draw.Below(16))},
                       {"Description", Words(draw, 3)},
                       {"RemoveId", TrueOrFalse(stage.removed), true},
                       {"ScoringType", draw.Chance(60) ? "Comstock" : "Virginia"},
                       {"TimeLimit", Number(60 * draw.Below(3))},
                       {"LastModify", Timestamp(draw)}});
  }
  return TableOf(records, 100, {{"StageId", ""}, {"StageName", ""}, {"RemoveId", ""}});
}

std::string ScoreTable(const Match& match) {
  Draw draw(14);
  std::vector<std::vector<Attribute>> records;
  for (const MatchScore& score : match.scores) {
    std::vector<Attribute> record = {{"StageId", Number(score.stageId)},
                                     {"MemberId", Number(score.memberId)},
                                     {"ScoreTime", Number(10 + draw.Below(80)) + ".27"},
                                     {"HitA", Number(draw.Below(20))},
                                     {"HitC", Number(draw.Below(10))},
                                     {"HitD", Number(draw.Below(6))},
                                     {"Miss", Number(draw.Below(4))},
                                     {"NoShoot", Number(draw.Below(3))},
                                     {"Procedural", Number(draw.Below(2))},
                                     {"Comment", Words(draw, 4)},
                                     {"PopperHit", Number(draw.Below(6)), true},
                                     {"PopperMiss", Number(draw.Below(2))},
                                     {"PlateHit", Number(draw.Below(8))},
                                     {"PlateMiss", Number(draw.Below(2))},
                                     {"SheetNo", Number(1000 + draw.Below(9000))},
                                     {"Official", draw.Chance(50) ? "RO Smith" : "CRO Lee"},
                                     {"Note", Words(draw, 6)}};
    std::vector<Attribute> third;
    if (score.final) {
      third.push_back({"LastModify", Timestamp(draw)});
    }
    third.push_back({"Entered", Timestamp(draw)});
    third.push_back({"Device", "tablet-" + Number(1 + draw.Below(9))});
    third.front().startsLine = true;
    record.insert(record.end(), third.begin(), third.end());
    record.push_back({"Remark", Words(draw, 2), true});
    records.push_back(record);
  }
  return TableOf(records, 250, {{"StageId", ""}, {"MemberId", ""}, {"LastModify", ""}});
}

std::string OtherTable(const std::string& name) {
  Draw draw(static_cast<std::uint32_t>(name.size()));
  std::vector<std::vector<Attribute>> records;
  for (int i = 1; i <= 3; ++i) {
    records.push_back({{"Id", Number(i)}, {"Name", Words(draw, 2)}, {"Table", name}});
  }
  return TableOf(records, 100, {});
}

std::vector<TableFile> MatchTables(const Match& match, bool withOthers) {
  std::vector<TableFile> files = {{"member.xml", MemberTable(match)},
                                  {"score.xml", ScoreTable(match)},
                                  {"enrolled.xml", EnrolledTable(match)},
                                  {"stage.xml", StageTable(match)}};
  if (withOthers) {
    for (const char* name : kOtherTables) {
      files.push_back({name, OtherTable(name)});
    }
  }
  return files;
}

bool WriteTableFiles(const std::string& folder, const std::vector<TableFile>& files) {
  for (const TableFile& file : files) {
    const std::string path = folder + "/" + file.name;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
      return false;
    }
    const bool written =
        std::fwrite(file.bytes.data(), 1, file.bytes.size(), out) == file.bytes.size();
    if (std::fclose(out) != 0 || !written) {
      return false;
    }
  }
  return true;
}

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

std::string OddLine(std::string line, Draw& draw) {
  const int kind = draw.Below(11);
  const std::size_t at =
      line.empty() ? 0 : static_cast<std::size_t>(draw.Below(static_cast<int>(line.size())));
  switch (kind) {
    case 0:  // cut short
      return line.substr(0, at);
    case 1:  // split in two
      return line.substr(0, at) + "\r\n" + line.substr(at);
    case 2:  // LF for CR LF
      if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0) {
        line.erase(line.size() - 2, 1);
      }
      return line;
    case 3:  // a lone CR
      return line.insert(at, "\r");
    case 4: {  // an empty value
      std::size_t open = line.find("='");
      std::size_t close = open == std::string::npos ? open : line.find('\'', open + 2);
      if (close != std::string::npos) {
        line.erase(open + 2, close - open - 2);
      }
      return line;
    }
    case 5: {  // doubled apostrophes
      std::size_t quote = line.find('\'');
      return quote == std::string::npos ? line : line.insert(quote, "'");
    }
    case 6: {  // a long attribute in front, moving keys past the piece limits
      std::size_t open = line.find("<z:row ");
      std::string pad =
          "Pad='" + std::string(static_cast<std::size_t>(40 + draw.Below(240)), 'x') + "' ";
      return open == std::string::npos ? line : line.insert(open + 7, pad);
    }
    case 7: {  // a key that ends a longer name
      std::size_t key = line.find("Id='");
      std::size_t start = key == std::string::npos ? key : line.rfind(' ', key);
      return start == std::string::npos ? line : line.insert(start + 1, "X");
    }
    case 8: {  // an attribute between two keys
      std::size_t second = line.find("' ");
      return second == std::string::npos ? line : line.insert(second + 2, "Other='7' ");
    }
    case 9:  // a number out of range
      return line.insert(at, "'99999999999' ");
    default: {  // the flag in another spelling
      std::size_t flag = line.find("'False'");
      if (flag == std::string::npos) {
        flag = line.find("'True'");
        return flag == std::string::npos
                   ? line
                   : line.replace(flag, 6, draw.Chance(50) ? "'true'" : "'False'");
      }
      return line.replace(flag, 7, "'True'");
    }
  }
}

}  // namespace

std::vector<TableFile> OddTables(const std::vector<TableFile>& tables, std::uint32_t seed) {
  Draw draw(seed);
  std::vector<TableFile> odd;
  for (const TableFile& table : tables) {
    std::string bytes;
    for (const std::string& line : SplitLines(table.bytes)) {
      const int roll = draw.Below(100);
      if (roll < 3) {
        continue;  // dropped
      }
      if (roll < 6) {
        bytes += line;  // doubled
      }
      bytes += roll < 20 ? OddLine(line, draw) : line;
    }
    if (draw.Chance(10) && !bytes.empty()) {
      bytes.insert(static_cast<std::size_t>(draw.Below(static_cast<int>(bytes.size()))), 1, '\x1a');
    }
    if (draw.Chance(10) && bytes.size() >= 2) {
      bytes.resize(bytes.size() - 2);  // no line end after the last line
    }
    odd.push_back({table.name, bytes});
  }
  return odd;
}

}  // namespace tvx::testing
