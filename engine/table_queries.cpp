#include "table_queries.h"

#include <string_view>

namespace tvx {

namespace {

constexpr int kShortPiece = 80;
constexpr int kLongPiece = 256;

constexpr std::string_view kStageNameKey = "StageName=";
constexpr std::string_view kCompIdKey = "CompId=";
constexpr std::string_view kMemberIdKey = "MemberId=";
constexpr std::string_view kLastnameKey = "Lastname=";
constexpr std::string_view kFirstnameKey = "Firstname=";
constexpr std::string_view kDisqIdKey = "DisqId=";
constexpr std::string_view kStageIdKey = "StageId=";
constexpr std::string_view kRemoveIdKey = "RemoveId=";

// The value of a key on the current piece: FindKey, then TakeValue with its
// result, found or not.
const char* ValueOf(TableScanner& scanner, std::string_view key) {
  return scanner.TakeValue(scanner.FindKey(key));
}

std::string TextOf(const char* value) {
  return value == nullptr ? std::string() : value;
}

// A record query: which file, which search key, which piece limit, and what is
// read at the matching piece (the scanner stands on it, cut after the key's value).
template <typename Answer>
struct RecordQuery {
  TextStream StatusEngine::*file;
  std::string_view key;
  int limit;
  Answer (*atMatch)(StatusEngine&);
};

// Rescans from the start: the answer of the first piece whose key value is the
// wanted number, or nothing.
template <typename Answer>
std::optional<Answer> SearchRecord(StatusEngine& engine, const RecordQuery<Answer>& query,
                                   std::int32_t wanted) {
  TableScanner& scanner = engine.scanner;
  TextStream& stream = engine.*query.file;
  scanner.RewindTable(stream);
  while (scanner.ReadPiece(stream, query.limit)) {
    const char* at = scanner.FindKey(query.key);
    if (at != nullptr && ParseNumber(scanner.TakeValue(at)) == wanted) {
      return query.atMatch(engine);
    }
  }
  return std::nullopt;
}

// Reads the table once, the same pieces as every rescan, and keeps for each
// number the answer at its first piece. At a piece the rescan for that number
// would stop; here the reading goes on from just after it.
template <typename Answer>
std::unordered_map<std::int32_t, Answer> IndexRecords(StatusEngine& engine,
                                                      const RecordQuery<Answer>& query) {
  std::unordered_map<std::int32_t, Answer> answers;
  TableScanner& scanner = engine.scanner;
  TextStream& stream = engine.*query.file;
  scanner.RewindTable(stream);
  while (scanner.ReadPiece(stream, query.limit)) {
    const char* at = scanner.FindKey(query.key);
    if (at == nullptr) {
      continue;
    }
    std::int32_t number = ParseNumber(scanner.TakeValue(at));
    if (answers.contains(number)) {
      continue;
    }
    TextStream::Mark afterPiece = stream.Tell();
    answers.emplace(number, query.atMatch(engine));
    stream.Seek(afterPiece);
  }
  return answers;
}

// Either way, the same answer.
template <typename Answer>
std::optional<Answer> AnswerRecord(
    StatusEngine& engine, const RecordQuery<Answer>& query,
    std::optional<std::unordered_map<std::int32_t, Answer>> QueryMemory::*remembered,
    std::int32_t wanted) {
  if (!engine.rememberAnswers) {
    return SearchRecord(engine, query, wanted);
  }
  auto& answers = engine.memory.*remembered;
  if (!answers) {
    answers = IndexRecords(engine, query);
  }
  auto found = answers->find(wanted);
  if (found == answers->end()) {
    return std::nullopt;
  }
  return found->second;
}

std::int32_t CompetitorAtMatch(StatusEngine& engine) {
  return ParseNumber(ValueOf(engine.scanner, kCompIdKey));
}

std::int32_t MemberAtMatch(StatusEngine& engine) {
  return ParseNumber(ValueOf(engine.scanner, kMemberIdKey));
}

// The last name is taken first: its cuts decide what the first name's lookup finds.
std::string NameAtMatch(StatusEngine& engine) {
  std::string last = TextOf(ValueOf(engine.scanner, kLastnameKey));
  std::string first = TextOf(ValueOf(engine.scanner, kFirstnameKey));
  std::string name = first + " " + last;
  if (name.size() > kMostNameBytes) {
    name.resize(kMostNameBytes);
  }
  return name;
}

// The flag stands in the piece after the record's piece. A record that is the
// last piece of its table has no flag.
template <const std::string_view& kFlagKey, TextStream StatusEngine::*kFile>
bool FlagAtMatch(StatusEngine& engine) {
  TableScanner& scanner = engine.scanner;
  if (!scanner.ReadPiece(engine.*kFile, kShortPiece)) {
    return false;
  }
  const char* at = scanner.FindKey(kFlagKey);
  return at != nullptr && IsTrueValue(scanner.TakeValue(at));
}

const RecordQuery<std::int32_t> kCompetitorForMember{&StatusEngine::enrolledFile, kMemberIdKey,
                                                     kShortPiece, CompetitorAtMatch};
const RecordQuery<std::int32_t> kMemberForCompetitor{&StatusEngine::enrolledFile, kCompIdKey,
                                                     kShortPiece, MemberAtMatch};
const RecordQuery<std::string> kNameForMember{&StatusEngine::memberFile, kMemberIdKey, kShortPiece,
                                              NameAtMatch};
const RecordQuery<bool> kDisqualified{&StatusEngine::enrolledFile, kCompIdKey, kLongPiece,
                                      FlagAtMatch<kDisqIdKey, &StatusEngine::enrolledFile>};
const RecordQuery<bool> kStageRemoved{&StatusEngine::stageFile, kStageIdKey, kLongPiece,
                                      FlagAtMatch<kRemoveIdKey, &StatusEngine::stageFile>};

}  // namespace

void CountStagesAndCompetitors(StatusEngine& engine) {
  TableScanner& scanner = engine.scanner;
  std::int32_t stages = 0;
  std::int32_t competitors = 0;
  std::int32_t highest = 0;
  while (scanner.ReadPiece(engine.stageFile, kShortPiece)) {
    if (scanner.FindKey(kStageNameKey) != nullptr) {
      ++stages;
    }
  }
  while (scanner.ReadPiece(engine.enrolledFile, kShortPiece)) {
    const char* at = scanner.FindKey(kCompIdKey);
    if (at == nullptr) {
      continue;
    }
    std::int32_t number = ParseNumber(scanner.TakeValue(at));
    if (number >= highest) {
      highest = number;
    }
    ++competitors;
  }
  engine.stageCount = stages;
  engine.competitorCount = competitors;
  engine.highestCompetitor = highest;
}

void FindCompetitorForMember(StatusEngine& engine, std::int32_t member, std::int32_t& competitor) {
  if (auto found =
          AnswerRecord(engine, kCompetitorForMember, &QueryMemory::competitorForMember, member)) {
    competitor = *found;
  }
}

void FindMemberForCompetitor(StatusEngine& engine, std::int32_t competitor, std::int32_t& member) {
  if (auto found = AnswerRecord(engine, kMemberForCompetitor, &QueryMemory::memberForCompetitor,
                                competitor)) {
    member = *found;
  }
}

void FormatCompetitorName(StatusEngine& engine, std::int32_t competitor, std::string& name) {
  // Without an enrolled record the competitor number is looked up as a member number.
  std::int32_t member = competitor;
  FindMemberForCompetitor(engine, competitor, member);
  if (auto found = AnswerRecord(engine, kNameForMember, &QueryMemory::nameForMember, member)) {
    name = *found;
  }
}

bool IsDisqualified(StatusEngine& engine, std::int32_t competitor) {
  return AnswerRecord(engine, kDisqualified, &QueryMemory::disqualified, competitor)
      .value_or(false);
}

bool IsStageRemoved(StatusEngine& engine, std::int32_t stage) {
  return AnswerRecord(engine, kStageRemoved, &QueryMemory::stageRemoved, stage).value_or(false);
}

}  // namespace tvx
