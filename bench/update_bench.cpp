// A full update: open the four tables, count, score pass, composition and the
// removal of the tables. The tables are written again before each run, outside
// the timed part, since the removal deletes them.
#include <benchmark/benchmark.h>

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

BENCHMARK_MAIN();
