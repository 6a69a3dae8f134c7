// A full update: open the four tables, count, score pass, composition and the
// removal of the tables. The tables are written again before each run, outside
// the timed part, since the removal deletes them. The cabinet benchmark times
// the extraction as well, from the largest match packed as an MSZIP cabinet.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "disk_intake.h"
#include "match_tables.h"
#include "status_session.h"

namespace fs = std::filesystem;

namespace {

// Nothing to extract: the tables are already in the working directory. The
// removal is the real one.
class PreparedTables : public tvx::BackupIntake {
 public:
  explicit PreparedTables(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::string> WorkingDirectory() override { return folder_; }
  std::optional<std::string> ReadRememberedPath(const std::string&) override { return {}; }
  bool ExtractBackup(const std::string&, const std::string&) override { return false; }
  void DeleteExtractedTables(const std::string& workDir) override {
    disk_.DeleteExtractedTables(workDir);
  }

 private:
  std::string folder_;
  tvx::DiskIntake disk_;
};

const tvx::testing::MatchShape kTypical{150, 12, 1, 2, 20, 3, 5, true, 7};
const tvx::testing::MatchShape kMaximum{512, 32, 0, 0, 0, 0, 0, false, 9};

void FullUpdate(benchmark::State& state, const tvx::testing::MatchShape& shape) {
  const bool remember = state.range(0) != 0;
  const auto tables = tvx::testing::MatchTables(tvx::testing::GenerateMatch(shape), true);
  const fs::path folder = fs::temp_directory_path() / "tvx-update-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  PreparedTables intake(folder.string());
  tvx::StatusEngine engine;
  engine.rememberAnswers = remember;
  tvx::WindowTexts texts;
  tvx::HeadlessWindow window;
  tvx::StatusSession session(engine, texts, window, intake);
  session.InitializeWindow();

  for (auto _ : state) {
    state.PauseTiming();
    if (!tvx::testing::WriteTableFiles(folder.string(), tables)) {
      state.SkipWithError("cannot write the tables");
      break;
    }
    state.ResumeTiming();
    session.OnUpdate();
    if (!session.LastUpdateCompleted()) {
      state.SkipWithError("the update did not complete");
      break;
    }
  }
  state.SetLabel(remember ? "remembering" : "rescanning");
  fs::remove_all(folder);
}

// The backup as the scoring program writes it: the ten tables in one MSZIP
// cabinet, packed here by Debian's gcab.
bool PackCabinet(const fs::path& tables, const fs::path& cabinet) {
  const std::string command = "cd '" + tables.string() + "' && gcab --create --zip '" +
                              cabinet.string() + "' *.xml >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// Extraction, the update and the removal, as the command runs them.
class CabinetIntake : public tvx::BackupIntake {
 public:
  explicit CabinetIntake(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::string> WorkingDirectory() override { return folder_; }
  std::optional<std::string> ReadRememberedPath(const std::string&) override { return {}; }
  bool ExtractBackup(const std::string& cabPath, const std::string& workDir) override {
    return disk_.ExtractBackup(cabPath, workDir);
  }
  void DeleteExtractedTables(const std::string& workDir) override {
    disk_.DeleteExtractedTables(workDir);
  }

 private:
  std::string folder_;
  tvx::DiskIntake disk_;
};

void MaximumCabinet(benchmark::State& state) {
  const fs::path root = fs::temp_directory_path() / "tvx-cabinet-bench";
  fs::remove_all(root);
  fs::create_directories(root / "tables");
  fs::create_directories(root / "work");
  const auto tables = tvx::testing::MatchTables(tvx::testing::GenerateMatch(kMaximum), true);
  const fs::path cabinet = root / "backup.cab";
  if (!tvx::testing::WriteTableFiles((root / "tables").string(), tables) ||
      !PackCabinet(root / "tables", cabinet)) {
    state.SkipWithError("cannot pack the cabinet (is gcab installed?)");
    return;
  }
  CabinetIntake intake((root / "work").string());
  tvx::StatusEngine engine;
  tvx::WindowTexts texts;
  tvx::HeadlessWindow window;
  tvx::StatusSession session(engine, texts, window, intake);
  session.InitializeWindow();
  for (auto _ : state) {
    session.OnUpdate(cabinet.string());
    if (!session.LastUpdateCompleted()) {
      state.SkipWithError("the update did not complete");
      break;
    }
  }
  state.counters["cabinet_bytes"] = static_cast<double>(fs::file_size(cabinet));
  fs::remove_all(root);
}

void TypicalMatch(benchmark::State& state) {
  FullUpdate(state, kTypical);
}
void MaximumMatch(benchmark::State& state) {
  FullUpdate(state, kMaximum);
}

}  // namespace

BENCHMARK(TypicalMatch)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(MaximumMatch)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(MaximumMatch)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK(MaximumCabinet)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
