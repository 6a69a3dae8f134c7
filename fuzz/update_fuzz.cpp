// The update over whatever bytes the four tables hold. The input is cut into
// "member.xml", "score.xml", "enrolled.xml" and "stage.xml" at the separator
// line; a table the input does not reach is absent. Each input runs the
// update twice on one engine, first with the queries remembering their
// answers, then rescanning for every question: both must give the same texts,
// and every text must keep its shape and its limits.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz_support.h"
#include "status_session.h"
#include "table_queries.h"
#include "tables_in_place.h"
#include "work_paths.h"

namespace tvx::fuzz {
namespace {

constexpr std::array<const char*, 4> kTables{"member.xml", "score.xml", "enrolled.xml",
                                             "stage.xml"};
constexpr std::array<const char*, 4> kOpenedLines{
    "\r\nMember database opened ok...", "\r\nScore database opened ok...",
    "\r\nCompetitor database opened ok...", "\r\nStages database opened ok..."};
constexpr std::array<const char*, 4> kFailedLines{
    "\r\nFailed to open the member database...\r\nTry clicking update again.",
    "\r\nFailed to open the score database...\r\nTry clicking update again.",
    "\r\nFailed to open the competitor database...\r\nTry clicking update again.",
    "\r\nFailed to open the stages database... Try clicking update again."};
constexpr std::string_view kUpdateRequested = "An update was requested...";
constexpr std::string_view kNobodyShooting = "\r\nNo competitors are currently shooting\r\n\r\n";
constexpr std::string_view kComplete = "The competition is complete";

constexpr std::size_t kMostLineBytes = 128;
constexpr std::size_t kMostStageTextBytes = 24;
constexpr std::size_t kNameColumns = 24;

struct UpdateOutcome {
  WindowTexts texts;
  bool completed = false;
  std::int32_t stageCount = 0;
  std::int32_t competitorCount = 0;
  std::int32_t highestCompetitor = 0;
};

UpdateOutcome RunUpdate(StatusSession& session) {
  session.OnUpdate();
  UpdateOutcome outcome;
  outcome.texts = session.texts();
  outcome.completed = session.LastUpdateCompleted();
  outcome.stageCount = session.engine().stageCount;
  outcome.competitorCount = session.engine().competitorCount;
  outcome.highestCompetitor = session.engine().highestCompetitor;
  return outcome;
}

std::string Describe(const UpdateOutcome& outcome) {
  std::string text = "completed " + std::to_string(outcome.completed) + ", stages " +
                     std::to_string(outcome.stageCount) + ", competitors " +
                     std::to_string(outcome.competitorCount) + ", highest " +
                     std::to_string(outcome.highestCompetitor) + "\nstatus: \"" +
                     Escaped(outcome.texts.m_statusText, 2000) + "\"";
  for (std::size_t s = 0; s < outcome.texts.m_stageText.size(); ++s) {
    if (!outcome.texts.m_stageText[s].empty()) {
      text +=
          "\nstage " + std::to_string(s) + ": \"" + Escaped(outcome.texts.m_stageText[s]) + "\"";
    }
  }
  return text;
}

void ExpectSame(const UpdateOutcome& remembered, const UpdateOutcome& rescanned) {
  if (remembered.completed != rescanned.completed ||
      remembered.stageCount != rescanned.stageCount ||
      remembered.competitorCount != rescanned.competitorCount ||
      remembered.highestCompetitor != rescanned.highestCompetitor ||
      remembered.texts.m_statusText != rescanned.texts.m_statusText ||
      remembered.texts.m_stageText != rescanned.texts.m_stageText) {
    ReportFinding(
        "remembered answers and rescans give different updates",
        "remembering:\n" + Describe(remembered) + "\nrescanning:\n" + Describe(rescanned));
  }
}

// A number written with "%<width>d" for a value in [least, most], or -1.
int ReadNumber(std::string_view text, std::int32_t least, std::int32_t most) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') {
    ++at;
  }
  if (at == text.size()) {
    return -1;
  }
  long long value = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9' || value > most) {
      return -1;
    }
    value = value * 10 + (text[at] - '0');
  }
  return value >= least && value <= most ? static_cast<int>(value) : -1;
}

// A decimal number with an optional minus, nothing else.
std::optional<std::int64_t> ReadSigned(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view digits = text.substr(negative ? 1 : 0);
  if (digits.empty() || digits.size() > 12 ||
      digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  std::int64_t value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

// The competitor lines: "%3d %-24.24s (%s)\r\n" for competitors 1 to 512 in
// ascending order, the stages left ascending and separated by commas. Gives
// the competitor numbers and where the lines end.
std::size_t CheckCompetitorLines(const UpdateOutcome& outcome, std::vector<std::int32_t>& shown) {
  const std::string& status = outcome.texts.m_statusText;
  const std::int32_t stages = std::min<std::int32_t>(outcome.stageCount, ShotTable::kMostStage);
  const std::int32_t highest =
      std::min<std::int32_t>(outcome.highestCompetitor, ShotTable::kMostCompetitor);
  std::size_t at = 0;
  int previous = 0;
  // "nnn " + name + " (" + list + ")\r\n": the fixed parts take 32 bytes.
  while (status.size() - at >= 32 && status[at + 3] == ' ' &&
         status.compare(at + 4 + kNameColumns, 2, " (") == 0) {
    const int competitor = ReadNumber(std::string_view(status).substr(at, 3), 1, highest);
    if (competitor <= previous) {
      ReportFinding("competitor line without an ascending competitor number 1 to the highest",
                    Describe(outcome));
    }
    previous = competitor;
    shown.push_back(competitor);
    const std::size_t listAt = at + 4 + kNameColumns + 2;
    const std::size_t close = status.find(")\r\n", listAt);
    if (close == std::string::npos) {
      ReportFinding("competitor line without its end", Describe(outcome));
    }
    const std::size_t lineBytes = close + 3 - at;
    if (lineBytes > kMostLineBytes) {
      ReportFinding("competitor line longer than 128 bytes", Describe(outcome));
    }
    int lastStage = 0;
    std::size_t from = listAt;
    while (true) {
      const std::size_t comma = std::min(status.find(',', from), close);
      const int stage = ReadNumber(std::string_view(status).substr(from, comma - from), 1, stages);
      if (stage <= lastStage || status[from] == ' ') {
        ReportFinding("stage list not ascending stages 1 to the stage count", Describe(outcome));
      }
      lastStage = stage;
      if (comma == close) {
        break;
      }
      from = comma + 1;
    }
    at = close + 3;
  }
  return at;
}

void CheckCompletedTexts(const UpdateOutcome& outcome, std::vector<std::int32_t>& shown) {
  const WindowTexts& texts = outcome.texts;
  const std::int32_t stages = std::min<std::int32_t>(outcome.stageCount, ShotTable::kMostStage);
  if (!texts.m_stageText[0].empty()) {
    ReportFinding("stage text 0 set", Describe(outcome));
  }
  for (std::int32_t s = 1; s <= WindowTexts::kStageSlots; ++s) {
    const std::string& text = texts.m_stageText[static_cast<std::size_t>(s)];
    if (text.size() > kMostStageTextBytes) {
      ReportFinding("stage text longer than 24 bytes", Describe(outcome));
    }
    if (text.empty()) {
      continue;
    }
    // "Stage %2d %4d": the stage, then competitorCount minus the competitors
    // marked for it, who are at most the rows 1 to the highest number.
    char start[16];
    std::snprintf(start, sizeof start, "Stage %2d ", static_cast<int>(s));
    const std::string_view left =
        std::string_view(text).substr(std::min<std::size_t>(9, text.size()));
    const std::size_t digitsAt = std::min(left.find_first_not_of(' '), left.size());
    const auto value = ReadSigned(left.substr(digitsAt));
    const std::int64_t most = outcome.competitorCount;
    const std::int64_t least =
        most - std::min<std::int32_t>(outcome.highestCompetitor, ShotTable::kMostCompetitor);
    if (s > stages || text.compare(0, 9, start) != 0 || left.size() < 4 ||
        (digitsAt > 0 && left.size() != 4) || !value || *value > most || *value < least) {
      ReportFinding("stage text not \"Stage %2d %4d\" of a stage up to the stage count",
                    Describe(outcome));
    }
  }

  const std::size_t linesEnd = CheckCompetitorLines(outcome, shown);
  const std::string_view rest = std::string_view(texts.m_statusText).substr(linesEnd);
  const std::string nobodyComplete = std::string(kNobodyShooting) + std::string(kComplete);
  const bool restFits = shown.empty() ? (rest == kNobodyShooting || rest == nobodyComplete)
                                      : (rest.empty() || rest == kComplete);
  if (!restFits) {
    ReportFinding("status text not competitor lines and the closing remarks", Describe(outcome));
  }
}

void CheckFailedTexts(const UpdateOutcome& outcome, std::size_t present) {
  std::string expected(kUpdateRequested);
  for (std::size_t i = 0; i < present; ++i) {
    expected += kOpenedLines[i];
  }
  expected += kFailedLines[present];
  if (outcome.texts.m_statusText != expected) {
    ReportFinding("update without all four tables: not the progress lines", Describe(outcome));
  }
  for (const std::string& text : outcome.texts.m_stageText) {
    if (!text.empty()) {
      ReportFinding("update without all four tables set a stage text", Describe(outcome));
    }
  }
}

// The queries themselves, both ways, for the numbers the update showed and a
// few around them: the same answers, and names of at most 63 bytes.
void CheckQueries(const std::string& folder, const UpdateOutcome& outcome,
                  const std::vector<std::int32_t>& shown) {
  auto remembering = std::make_unique<StatusEngine>();
  auto rescanning = std::make_unique<StatusEngine>();
  remembering->rememberAnswers = true;
  rescanning->rememberAnswers = false;
  for (StatusEngine* engine : {remembering.get(), rescanning.get()}) {
    if (!engine->memberFile.Open(WorkPath(folder, kTables[0])) ||
        !engine->scoreFile.Open(WorkPath(folder, kTables[1])) ||
        !engine->enrolledFile.Open(WorkPath(folder, kTables[2])) ||
        !engine->stageFile.Open(WorkPath(folder, kTables[3]))) {
      ReportFinding("tables of a completed update do not open again");
    }
  }
  // A few of the competitors shown, to keep the rescans of a large table short.
  std::set<std::int32_t> numbers;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (i < 8 || i + 8 >= shown.size()) {
      numbers.insert(shown[i]);
    }
  }
  // The highest number and the one after it, unless that is past the range.
  const std::int32_t highest = outcome.highestCompetitor;
  for (std::int32_t n : {-1, 0, 1, 2, highest}) {
    numbers.insert(n);
  }
  if (highest < std::numeric_limits<std::int32_t>::max()) {
    numbers.insert(highest + 1);
  }
  const std::string sentinel = "(no name)";
  for (std::int32_t n : numbers) {
    std::string names[2] = {sentinel, sentinel};
    std::int32_t members[2] = {-7, -7};
    std::int32_t competitors[2] = {-7, -7};
    bool disqualified[2] = {};
    bool removed[2] = {};
    StatusEngine* engines[2] = {remembering.get(), rescanning.get()};
    for (int way = 0; way < 2; ++way) {
      FormatCompetitorName(*engines[way], n, names[way]);
      FindMemberForCompetitor(*engines[way], n, members[way]);
      FindCompetitorForMember(*engines[way], n, competitors[way]);
      disqualified[way] = IsDisqualified(*engines[way], n);
      removed[way] = IsStageRemoved(*engines[way], n);
      if (names[way] != sentinel && names[way].size() > kMostNameBytes) {
        ReportFinding("name longer than 63 bytes", Escaped(names[way]));
      }
    }
    if (names[0] != names[1] || members[0] != members[1] || competitors[0] != competitors[1] ||
        disqualified[0] != disqualified[1] || removed[0] != removed[1]) {
      ReportFinding("a query answers differently remembering and rescanning",
                    "number " + std::to_string(n) + ": name \"" + Escaped(names[0]) + "\" / \"" +
                        Escaped(names[1]) + "\", member " + std::to_string(members[0]) + " / " +
                        std::to_string(members[1]) + ", competitor " +
                        std::to_string(competitors[0]) + " / " + std::to_string(competitors[1]) +
                        ", disqualified " + std::to_string(disqualified[0]) + " / " +
                        std::to_string(disqualified[1]) + ", removed " +
                        std::to_string(removed[0]) + " / " + std::to_string(removed[1]));
    }
  }
}

void WriteTables(const std::string& folder, const std::vector<std::string>& tables) {
  for (std::size_t i = 0; i < kTables.size(); ++i) {
    const std::string path = WorkPath(folder, kTables[i]);
    if (i >= tables.size()) {
      std::error_code error;
      std::filesystem::remove(path, error);
      continue;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(tables[i].data(), static_cast<std::streamsize>(tables[i].size()));
    if (!file.flush()) {
      ReportFinding("scratch folder cannot be written", path);
    }
  }
}

}  // namespace
}  // namespace tvx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tvx;
  using namespace tvx::fuzz;
  static ScratchFolder folder("update");
  const std::vector<std::string> tables = SplitInput(data, size, kTextSeparator, kTables.size());
  WriteTables(folder.path(), tables);

  // One engine, as in the program: the second update also shows that nothing
  // of the first one lingers.
  auto engine = std::make_unique<StatusEngine>();
  WindowTexts texts;
  HeadlessWindow window;
  tvx::testing::TablesInPlace intake(folder.path());
  StatusSession session(*engine, texts, window, intake);
  session.InitializeWindow();
  engine->rememberAnswers = true;
  const UpdateOutcome remembered = RunUpdate(session);
  engine->rememberAnswers = false;
  const UpdateOutcome rescanned = RunUpdate(session);
  ExpectSame(remembered, rescanned);

  if (tables.size() < kTables.size()) {
    CheckFailedTexts(remembered, tables.size());
    return 0;
  }
  if (!remembered.completed) {
    ReportFinding("update over four tables did not complete", Describe(remembered));
  }
  std::vector<std::int32_t> shown;
  CheckCompletedTexts(remembered, shown);
  CheckQueries(folder.path(), remembered, shown);
  return 0;
}
