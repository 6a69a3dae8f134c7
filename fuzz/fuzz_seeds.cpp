#include "fuzz_seeds.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>

#include "disk_intake.h"
#include "fuzz_support.h"
#include "match_tables.h"
#include "status_session.h"
#include "stored_cabinet.h"
#include "tables_in_place.h"

namespace tvx::fuzz {

namespace {

namespace fs = std::filesystem;

constexpr const char* kReadTables[] = {"member.xml", "score.xml", "enrolled.xml", "stage.xml"};

// Seeds stay small, so that the fuzzer runs many inputs a second: the tables
// of a larger match are cut at a line end, the larger cabinets left out.
constexpr std::size_t kMostTablesBytes = 16 << 10;
constexpr std::size_t kMostCabinetBytes = 64 << 10;

std::optional<std::string> ReadFile(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) {
    return std::nullopt;
  }
  return bytes;
}

// The entries of a folder in name order, or none when it is absent.
std::vector<fs::path> SortedEntries(const fs::path& folder) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    entries.push_back(entry.path());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

// ---- the update: four tables in one input ----------------------------------

std::string CutAtLineEnd(const std::string& table, std::size_t most) {
  if (table.size() <= most) {
    return table;
  }
  const std::size_t lineEnd = table.rfind('\n', most - 1);
  return table.substr(0, lineEnd == std::string::npos ? most : lineEnd + 1);
}

// The tables that are present, in the order of the update's opens; a table
// missing before the last ends the list, as the update stops there too.
void AddTablesSeed(std::vector<Seed>& seeds, std::string name, std::vector<std::string> tables) {
  std::size_t total = 0;
  for (const std::string& table : tables) {
    total += table.size();
  }
  if (total > kMostTablesBytes) {
    for (std::string& table : tables) {
      table = CutAtLineEnd(table, kMostTablesBytes / std::size(kReadTables));
    }
  }
  for (const std::string& table : tables) {
    if (table.find(kTextSeparator) != std::string::npos) {
      return;
    }
  }
  seeds.push_back({std::move(name), JoinInput(tables, kTextSeparator)});
}

std::vector<std::string> ReadTables(const fs::path& folder) {
  std::vector<std::string> tables;
  for (const char* name : kReadTables) {
    auto bytes = ReadFile(folder / name);
    if (!bytes) {
      break;
    }
    tables.push_back(std::move(*bytes));
  }
  return tables;
}

std::vector<std::string> TablesOf(const std::vector<testing::TableFile>& files) {
  std::vector<std::string> tables;
  for (const char* name : kReadTables) {
    auto file = std::find_if(files.begin(), files.end(),
                             [name](const testing::TableFile& f) { return f.name == name; });
    if (file == files.end()) {
      break;
    }
    tables.push_back(file->bytes);
  }
  return tables;
}

// The tables of a backup cabinet, as the intake extracts them.
std::vector<std::string> TablesOfCabinet(const fs::path& cabinet) {
  ScratchFolder folder("seed-tables");
  DiskIntake intake;
  intake.ExtractBackup(cabinet.string(), folder.path());
  return ReadTables(folder.path());
}

std::vector<Seed> UpdateSeeds(const SeedSources& sources) {
  std::vector<Seed> seeds;
  const fs::path source(sources.sourceDir);
  AddTablesSeed(seeds, "sample-match", ReadTables(source / "examples" / "sample-match"));
  AddTablesSeed(seeds, "intake-tables",
                ReadTables(source / "tests" / "intake" / "cabinets" / "tables"));

  // Generated matches: a few shapes, the largest stage count and beyond it,
  // and odd versions of a small one.
  const testing::MatchShape shapes[] = {
      {3, 4, 0, 0, 1, 1, 0, false, 1}, {14, 6, 1, 1, 2, 0, 1, true, 2},
      {20, 8, 1, 1, 4, 1, 2, true, 3}, {30, 12, 2, 2, 6, 2, 3, true, 4},
      {6, 32, 1, 1, 2, 1, 2, true, 5}, {4, 36, 0, 0, 2, 0, 1, false, 6},
      {0, 3, 0, 0, 0, 0, 0, false, 7}, {5, 0, 0, 0, 0, 0, 0, false, 8},
      {10, 5, 0, 0, 0, 0, 0, true, 9},
  };
  for (const testing::MatchShape& shape : shapes) {
    const auto tables = testing::MatchTables(testing::GenerateMatch(shape), false);
    AddTablesSeed(seeds, "generated-" + std::to_string(shape.seed), TablesOf(tables));
  }
  const auto small = testing::MatchTables(testing::GenerateMatch(shapes[2]), false);
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    AddTablesSeed(seeds, "odd-" + std::to_string(seed), TablesOf(testing::OddTables(small, seed)));
  }
  // Tables missing from the first and from the last.
  for (std::size_t present = 0; present < std::size(kReadTables); ++present) {
    auto tables = TablesOf(small);
    tables.resize(present);
    AddTablesSeed(seeds, "present-" + std::to_string(present), tables);
  }

  for (const fs::path& testCase : SortedEntries(fs::path(sources.sharedDir) / "conformance")) {
    std::vector<std::string> tables;
    if (fs::is_directory(testCase / "tables")) {
      tables = ReadTables(testCase / "tables");
    } else if (fs::is_regular_file(testCase / "backup.cab")) {
      tables = TablesOfCabinet(testCase / "backup.cab");
    } else {
      continue;
    }
    AddTablesSeed(seeds, "conformance-" + testCase.filename().string(), tables);
  }
  return seeds;
}

// ---- the report: the moment and the window's texts -------------------------

struct Moment {
  int sec, min, hour, mday, mon, year, wday, yday, isdst;
};

std::string ReportInput(const Moment& moment, const WindowTexts& texts) {
  std::string input(sizeof(Moment), '\0');
  std::memcpy(input.data(), &moment, sizeof(Moment));
  std::vector<std::string> parts{texts.m_statusText};
  parts.insert(parts.end(), texts.m_stageText.begin() + 1, texts.m_stageText.end());
  parts.push_back(texts.m_stageText[0]);
  while (parts.size() > 1 && parts.back().empty()) {
    parts.pop_back();
  }
  return input + JoinInput(parts, kTextSeparator);
}

// The window's texts after an update over the tables of an update seed.
WindowTexts TextsAfterUpdate(const Seed& tablesSeed) {
  ScratchFolder folder("seed-update");
  const auto tables = SplitInput(reinterpret_cast<const std::uint8_t*>(tablesSeed.bytes.data()),
                                 tablesSeed.bytes.size(), kTextSeparator, std::size(kReadTables));
  for (std::size_t i = 0; i < tables.size(); ++i) {
    std::ofstream(fs::path(folder.path()) / kReadTables[i], std::ios::binary) << tables[i];
  }
  auto engine = std::make_unique<StatusEngine>();
  WindowTexts texts;
  HeadlessWindow window;
  tvx::testing::TablesInPlace intake(folder.path());
  StatusSession session(*engine, texts, window, intake);
  session.InitializeWindow();
  session.OnUpdate();
  return texts;
}

std::vector<Seed> ReportSeeds(const SeedSources& sources) {
  std::vector<Seed> seeds;
  constexpr Moment kSaturday{9, 5, 14, 4, 5, 105, 6, 154, 1};
  WindowTexts firstStart;
  seeds.push_back({"first-start", ReportInput(kSaturday, firstStart)});

  // The worked example: four stages, one competitor still shooting.
  WindowTexts example;
  example.m_stageText[1] = "Stage  1    1";
  example.m_stageText[2] = "Stage  2    2";
  example.m_stageText[3] = "Stage  3    1";
  example.m_stageText[4] = "Stage  4    2";
  example.m_statusText = "  2 Test Shooter             (2,4)\r\n";
  seeds.push_back({"worked-example", ReportInput(kSaturday, example)});

  // Every slot, short and empty stage texts, odd moments.
  WindowTexts full;
  for (int s = 0; s <= WindowTexts::kStageSlots; ++s) {
    char text[32];
    std::snprintf(text, sizeof text, "Stage %2d %4d", s, 500 - s);
    full.m_stageText[static_cast<std::size_t>(s)] = text;
  }
  full.m_stageText[5] = "";
  full.m_stageText[6] = "12345";
  full.m_stageText[7] = "123456";
  full.m_statusText =
      "\r\nNo competitors are currently shooting\r\n\r\nThe competition is complete";
  seeds.push_back({"all-slots", ReportInput({0, 0, 0, 1, 0, 0, 0, 0, 0}, full)});
  seeds.push_back({"year-9999", ReportInput({60, 59, 23, 31, 11, 8099, 6, 364, 0}, example)});
  seeds.push_back({"out-of-range", ReportInput({-1, 60, 24, 0, 12, -1901, 7, 366, -1}, example)});
  constexpr int kLeast = std::numeric_limits<int>::min();
  constexpr int kMost = std::numeric_limits<int>::max();
  seeds.push_back(
      {"far-out-of-range",
       ReportInput({kLeast, kMost, kLeast, kMost, kLeast, kMost, kLeast, kMost, kLeast}, example)});

  // The texts of real updates, the failed ones included.
  for (const Seed& tables : UpdateSeeds(sources)) {
    seeds.push_back({"update-" + tables.name, ReportInput(kSaturday, TextsAfterUpdate(tables))});
  }
  return seeds;
}

// ---- the extraction: cabinets -----------------------------------------------

std::vector<Seed> ExtractionSeeds(const SeedSources& sources) {
  std::vector<Seed> seeds;
  const std::string table = "<Row CompId='1' MemberId='5001' DisqId='False'/>\r\n";
  seeds.push_back({"stored-tables.cab", StoredCabinet({{"member.xml", table, {}},
                                                       {"score.xml", table, {}},
                                                       {"enrolled.xml", table, {}},
                                                       {"stage.xml", table, {}}})});
  seeds.push_back({"stored-folders.cab", StoredCabinet({{"notes\\today.txt", "today\r\n", {}},
                                                        {"notes/deeper\\more.txt", "more", {}},
                                                        {"member.xml\\inside.txt", "x", {}},
                                                        {"notes", "a file over a folder", {}}})});
  seeds.push_back({"stored-hostile.cab", StoredCabinet({{"../escape.txt", "out", {}},
                                                        {"\\rooted.txt", "out", {}},
                                                        {"/etc/rooted.txt", "out", {}},
                                                        {"c:drive.txt", "out", {}},
                                                        {"dots...", "out", {}},
                                                        {"CON.txt", "out", {}},
                                                        {"a\\..\\..\\up.txt", "out", {}},
                                                        {"stage.xml", "in", {}}})});
  seeds.push_back({"stored-sizes.cab", StoredCabinet({{"short.xml", "stated longer", 4096},
                                                      {"long.xml", "stated shorter", 3},
                                                      {"huge.xml", "x", 0xfffffff0u},
                                                      {"member.xml", "after the huge one", {}}})});
  seeds.push_back({"stored-twice.cab", StoredCabinet({{"member.xml", "first", {}},
                                                      {"member.xml", "second", {}},
                                                      {"~tvx1.partial", "a partial name", {}}})});
  seeds.push_back({"stored-empty.cab", StoredCabinet({{"empty.xml", "", {}}})});

  // Descriptions of files, made into cabinets by the target.
  const auto describe = [](std::vector<std::string> parts) {
    return JoinInput(parts, kTextSeparator);
  };
  using namespace std::string_literals;
  seeds.push_back(
      {"described-tables", describe({"member.xml\0"s + table, "score.xml\0"s + table,
                                     "enrolled.xml\0"s + table, "stage.xml\0"s + table})});
  seeds.push_back(
      {"described-folders", describe({"notes\\today.txt\0today"s, "notes/deeper/more.txt\0more"s,
                                      "notes\0a file over a folder"s, "../up\0out"s})});
  seeds.push_back({"described-sizes",
                   describe({"huge.xml\0\xff\xff\xf0\xff\xff\x0fx"s,
                             "over.xml\0\xff\xff\x01\x00\x40\x00x"s, "member.xml\0after"s})});

  const fs::path source(sources.sourceDir);
  const fs::path shared(sources.sharedDir);
  std::vector<std::pair<std::string, fs::path>> cabinets{
      {"example-", source / "examples" / "sample-match.cab"}};
  for (const fs::path& path : SortedEntries(source / "tests" / "intake" / "cabinets")) {
    cabinets.emplace_back("intake-", path);
  }
  for (const fs::path& path : SortedEntries(shared / "testdata" / "cabinets")) {
    cabinets.emplace_back("corpus-", path);
  }
  for (const fs::path& testCase : SortedEntries(shared / "conformance")) {
    cabinets.emplace_back("conformance-" + testCase.filename().string() + "-",
                          testCase / "backup.cab");
  }
  for (const auto& [prefix, path] : cabinets) {
    if (path.extension() != ".cab") {
      continue;
    }
    auto bytes = ReadFile(path);
    if (!bytes || bytes->size() > kMostCabinetBytes) {
      continue;
    }
    seeds.push_back({prefix + path.filename().string(), std::move(*bytes)});
  }
  return seeds;
}

// ---- the remembered-path file -----------------------------------------------

std::vector<Seed> RememberedPathSeeds() {
  using namespace std::string_literals;
  return {
      {"default", "c:\\Program Files\\Tarvix\\back"},
      {"posix", "/home/official/matches/Tarvix.cab"},
      {"empty", ""},
      {"zero-byte", "c:\\Tarvix\0.cab"s},
      {"leading-zero", "\0c:\\Tarvix.cab"s},
      {"high-bytes", "c:\\Ma\xdf\xe9 \xff\\Tarvix.cab"},
      {"line-end", "c:\\Tarvix.cab\r\n"},
      {"256", std::string(256, 'p')},
      {"259", std::string(259, 'p')},
      {"most", std::string(32767, 'p')},
      {"over-most", std::string(32768, 'p')},
  };
}

}  // namespace

std::vector<Seed> SeedsFor(std::string_view target, const SeedSources& sources) {
  if (target == "update") {
    return UpdateSeeds(sources);
  }
  if (target == "report") {
    return ReportSeeds(sources);
  }
  if (target == "extraction") {
    return ExtractionSeeds(sources);
  }
  if (target == "remembered_path") {
    return RememberedPathSeeds();
  }
  return {};
}

}  // namespace tvx::fuzz
