// The Windows build of tvx-status-report, run under Wine, must write the same
// report as the Linux build on the same inputs: the same bytes after the date
// line, the same exit status, and the same files left in the working folder.
// The inputs: generated matches (as tables, odd tables and cabinets), the
// sample cabinet, the shared conformance cases and the public cabinet corpus.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "match_tables.h"

namespace fs = std::filesystem;
using tvx::testing::TableFile;

namespace {

constexpr std::size_t kDateLineBytes = 44;

const std::string kWindowsCommand = TVX_WINDOWS_REPORT_COMMAND;
const std::string kWine = TVX_WINE;
const std::string kWineserver = TVX_WINESERVER;
const std::string kGcab = TVX_GCAB;

bool CanRunWindowsCommand() {
  return !kWindowsCommand.empty() && !kWine.empty() && !kWineserver.empty() &&
         fs::exists(kWindowsCommand);
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// For the POSIX shell that std::system runs.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

const std::string kWineEnvironment = "WINEPREFIX=" + Quoted(TVX_WINE_PREFIX) + " WINEDEBUG=-all ";

// The same file as Wine's drive Z: names it.
std::string WindowsPath(const fs::path& path) {
  std::string text = "Z:" + fs::absolute(path).lexically_normal().string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

// Goes into a cmd.exe command line unquoted, so it must hold nothing that
// cmd.exe would read as syntax.
bool IsPlainForCmd(const std::string& text) {
  return text.find_first_of(" \t&|<>^%\"()") == std::string::npos;
}

// One server for the whole run: a cold Wine holds each program's output until
// its services exit, seconds per run. Nothing of the server may hold our
// output, or whoever reads it waits for the server's end.
class WineServer : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!CanRunWindowsCommand()) {
      return;
    }
    fs::create_directories(TVX_WINE_PREFIX);
    const std::string start = kWineEnvironment + "sh -c " +
                              Quoted("(" + Quoted(kWineserver) + " -p; " + Quoted(kWine) +
                                     " cmd /c exit) >/dev/null 2>&1 </dev/null");
    started_ = std::system(start.c_str()) == 0;
  }
  void TearDown() override {
    if (started_) {
      const std::string stop = kWineEnvironment + Quoted(kWineserver) + " -k >/dev/null 2>&1";
      std::system(stop.c_str());
    }
  }

 private:
  bool started_ = false;
};

struct CommandRun {
  int exitStatus = -1;
  std::string report;
  std::map<std::string, std::string> left;  // path below the working folder, bytes
};

int ExitStatusOf(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A stored name's bytes above 127 reach the disk as they are on Linux, and on
// Windows as the characters the ANSI code page makes of them, which Wine then
// spells in UTF-8. Each run of such bytes counts as one "?" on both sides.
std::string ComparableName(const std::string& name) {
  std::string comparable;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 128) {
      comparable.push_back(c);
    } else if (comparable.empty() || comparable.back() != '?') {
      comparable.push_back('?');
    }
  }
  return comparable;
}

// Windows holds no file whose name has one of these, so such a file of the
// cabinet fails to extract there and is left out of the comparison.
bool WindowsRefusesName(const std::string& name) {
  return std::any_of(name.begin(), name.end(), [](char c) {
    return (c > 0 && c < 32) || std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
  });
}

std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().lexically_relative(folder).generic_string();
    if (WindowsRefusesName(name)) {
      continue;
    }
    files[ComparableName(name)] = entry.is_regular_file() ? ReadBytes(entry.path()) : "(folder)";
  }
  return files;
}

std::vector<std::string> Names(const std::map<std::string, std::string>& files) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : files) {
    names.push_back(name);
  }
  return names;
}

CommandRun RunLinux(const fs::path& work, const fs::path& cabinet, const fs::path& output) {
  const std::string command = "TEMP=" + Quoted(work.string()) + " " +
                              Quoted(TVX_LINUX_REPORT_COMMAND) + " " + Quoted(cabinet.string()) +
                              " > " + Quoted(output.string());
  CommandRun run;
  run.exitStatus = ExitStatusOf(std::system(command.c_str()));
  run.report = ReadBytes(output);
  run.left = FilesBelow(work);
  return run;
}

// Wine sets TEMP from its own registry for a program started from Linux, so
// TEMP=... in front of wine never reaches the program; cmd.exe sets it inside.
CommandRun RunWindows(const fs::path& work, const fs::path& cabinet, const fs::path& output) {
  const std::string inside = "set TEMP=" + WindowsPath(work) + "&& " +
                             WindowsPath(kWindowsCommand) + " " + WindowsPath(cabinet);
  CommandRun run;
  if (!IsPlainForCmd(WindowsPath(work)) || !IsPlainForCmd(WindowsPath(kWindowsCommand)) ||
      !IsPlainForCmd(WindowsPath(cabinet))) {
    ADD_FAILURE() << "a path that cmd.exe would misread: " << inside;
    return run;
  }
  const std::string command = kWineEnvironment + Quoted(kWine) + " cmd /c " + Quoted(inside) +
                              " < /dev/null > " + Quoted(output.string());
  run.exitStatus = ExitStatusOf(std::system(command.c_str()));
  // Once, on a loaded machine, Wine's cmd.exe failed to start the program at
  // all. The command writes its report whatever the update does, so nothing
  // written means the start failed: that is tried once more.
  std::error_code error;
  if (fs::file_size(output, error) == 0 && !error) {
    std::cout << "Wine did not start the command; once more\n";
    run.exitStatus = ExitStatusOf(std::system(command.c_str()));
  }
  run.report = ReadBytes(output);
  run.left = FilesBelow(work);
  return run;
}

struct ParityCase {
  std::string name;
  // Placed in both working folders before the run.
  std::function<std::vector<TableFile>()> tables;
  fs::path tablesFolder;
  // The cabinet given to the command; empty for one that does not exist.
  fs::path cabinet;
  // Tables packed into the cabinet with gcab first, MSZIP or stored.
  std::function<std::vector<TableFile>()> packed;
  bool packZip = false;
};

// Damaged cabinets on which libmspack and the platform's own decoder (here
// Wine's) disagree about which files come out whole. The reports agree.
const char* KnownDecoderDisagreement(const std::string& caseName) {
  static const std::map<std::string, const char*> kDisagreements = {
      {"corpus_bad_folderindex",
       "libmspack refuses the cabinet at its open; SetupAPI extracts both files"},
      {"corpus_cve-2010-2801-qtm-flush",
       "libmspack decodes the damaged Quantum data to its stated size; SetupAPI fails the file"},
      {"corpus_cve-2014-9732-folders-segfault",
       "SetupAPI ends the iteration at the file whose folder is damaged; libmspack goes on"},
  };
  const auto found = kDisagreements.find(caseName);
  return found == kDisagreements.end() ? nullptr : found->second;
}

void PrintTo(const ParityCase& parityCase, std::ostream* out) {
  *out << parityCase.name;
}

std::vector<TableFile> GeneratedTables(const tvx::testing::MatchShape& shape, bool withOthers) {
  return tvx::testing::MatchTables(tvx::testing::GenerateMatch(shape), withOthers);
}

// competitors, stages, removed, disqualified, still shooting, not started,
// unfinished scores, number gaps, seed
const tvx::testing::MatchShape kSample{};
const tvx::testing::MatchShape kTypical{150, 12, 1, 2, 20, 3, 5, true, 7};
const tvx::testing::MatchShape kMaximum{512, 32, 0, 0, 0, 0, 0, false, 9};
const tvx::testing::MatchShape kComplete{40, 6, 0, 0, 0, 0, 0, true, 3};
const tvx::testing::MatchShape kTroubled{60, 10, 3, 6, 15, 5, 8, true, 11};

std::vector<ParityCase> GeneratedCases() {
  std::vector<ParityCase> cases;
  cases.push_back({"first_start_no_tables", {}, {}, {}, {}, false});
  const std::pair<const char*, tvx::testing::MatchShape> shapes[] = {{"sample", kSample},
                                                                     {"typical", kTypical},
                                                                     {"maximum", kMaximum},
                                                                     {"complete", kComplete},
                                                                     {"troubled", kTroubled}};
  for (const auto& [name, shape] : shapes) {
    cases.push_back({std::string("tables_") + name,
                     [shape = shape] { return GeneratedTables(shape, true); },
                     {},
                     {},
                     {},
                     false});
  }
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    const auto shape = seed % 2 == 0 ? kTypical : kTroubled;
    cases.push_back(
        {"odd_tables_" + std::to_string(seed),
         [shape, seed] { return tvx::testing::OddTables(GeneratedTables(shape, true), seed); },
         {},
         {},
         {},
         false});
  }
  cases.push_back(
      {"cabinet_mszip_typical", {}, {}, {}, [] { return GeneratedTables(kTypical, true); }, true});
  cases.push_back({"cabinet_stored_troubled",
                   {},
                   {},
                   {},
                   [] { return GeneratedTables(kTroubled, true); },
                   false});
  cases.push_back({"cabinet_mszip_odd",
                   {},
                   {},
                   {},
                   [] { return tvx::testing::OddTables(GeneratedTables(kTroubled, false), 5); },
                   true});
  cases.push_back({"cabinet_over_stale_tables",
                   [] { return GeneratedTables(kSample, true); },
                   {},
                   {},
                   [] { return GeneratedTables(kTypical, false); },
                   true});
  cases.push_back({"sample_cabinet",
                   {},
                   {},
                   fs::path(TVX_SOURCE_DIR) / "examples/sample-match.cab",
                   {},
                   false});
  return cases;
}

std::vector<fs::path> SortedEntries(const fs::path& folder) {
  std::vector<fs::path> entries;
  std::error_code error;
  if (fs::is_directory(folder, error)) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      entries.push_back(entry.path());
    }
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::vector<ParityCase> ConformanceCases() {
  std::vector<ParityCase> cases;
  for (const fs::path& folder : SortedEntries(fs::path(TVX_SHARED_DIR) / "conformance")) {
    if (!fs::exists(folder / "expected.txt")) {
      continue;
    }
    ParityCase parityCase{"conformance_" + folder.filename().string(), {}, {}, {}, {}, false};
    if (fs::is_directory(folder / "tables")) {
      parityCase.tablesFolder = folder / "tables";
    }
    if (fs::exists(folder / "backup.cab")) {
      parityCase.cabinet = folder / "backup.cab";
    }
    cases.push_back(parityCase);
  }
  return cases;
}

std::vector<ParityCase> CorpusCases() {
  std::vector<ParityCase> cases;
  for (const fs::path& file : SortedEntries(fs::path(TVX_SHARED_DIR) / "testdata/cabinets")) {
    if (file.extension() == ".cab") {
      cases.push_back({"corpus_" + file.stem().string(), {}, {}, file, {}, false});
    }
  }
  return cases;
}

std::vector<ParityCase> AllCases() {
  std::vector<ParityCase> cases = GeneratedCases();
  for (auto* more : {&ConformanceCases, &CorpusCases}) {
    for (ParityCase& parityCase : more()) {
      cases.push_back(std::move(parityCase));
    }
  }
  return cases;
}

bool PackCabinet(const std::vector<TableFile>& tables, const fs::path& folder, bool zip,
                 const fs::path& cabinet) {
  fs::create_directories(folder);
  if (!tvx::testing::WriteTableFiles(folder.string(), tables)) {
    return false;
  }
  std::string command = "cd " + Quoted(folder.string()) + " && " + Quoted(kGcab) + " --create " +
                        (zip ? "--zip " : "") + Quoted(cabinet.string());
  for (const TableFile& table : tables) {
    command += " " + Quoted(table.name);
  }
  return std::system(command.c_str()) == 0;
}

void PrepareWorkFolder(const ParityCase& parityCase, const fs::path& work) {
  fs::create_directories(work);
  if (!parityCase.tablesFolder.empty()) {
    fs::copy(parityCase.tablesFolder, work, fs::copy_options::recursive);
    // Copies keep the read-only mode, which Wine shows as the read-only
    // attribute, and Windows deletes no read-only file.
    for (const auto& entry : fs::recursive_directory_iterator(work)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    }
  }
  if (parityCase.tables) {
    ASSERT_TRUE(tvx::testing::WriteTableFiles(work.string(), parityCase.tables()));
  }
}

class ReportParity : public ::testing::TestWithParam<ParityCase> {};

TEST_P(ReportParity, WindowsReportEqualsLinuxReport) {
  const ParityCase& parityCase = GetParam();
  if (!CanRunWindowsCommand()) {
    GTEST_SKIP() << "no Windows build given, or no Wine";
  }
  const fs::path root = fs::temp_directory_path() / "tvx-parity" / parityCase.name;
  fs::remove_all(root);
  fs::create_directories(root);

  fs::path cabinet = parityCase.cabinet.empty() ? root / "no-such-backup.cab" : parityCase.cabinet;
  if (!parityCase.cabinet.empty() && !fs::exists(parityCase.cabinet)) {
    GTEST_SKIP() << parityCase.cabinet << " is absent";
  }
  if (parityCase.packed) {
    if (kGcab.empty()) {
      GTEST_SKIP() << "gcab is needed to make the cabinet";
    }
    cabinet = root / "backup.cab";
    ASSERT_TRUE(PackCabinet(parityCase.packed(), root / "packed", parityCase.packZip, cabinet));
  }

  const fs::path linuxWork = root / "linux";
  const fs::path windowsWork = root / "windows";
  ASSERT_NO_FATAL_FAILURE(PrepareWorkFolder(parityCase, linuxWork));
  ASSERT_NO_FATAL_FAILURE(PrepareWorkFolder(parityCase, windowsWork));

  const CommandRun linuxRun = RunLinux(linuxWork, cabinet, root / "linux.txt");
  const CommandRun windowsRun = RunWindows(windowsWork, cabinet, root / "windows.txt");

  // Neither wrote beside its working folder (a stored "..\\x" would land here).
  std::vector<std::string> beside;
  for (const auto& entry : fs::directory_iterator(root)) {
    beside.push_back(entry.path().filename().string());
  }
  std::sort(beside.begin(), beside.end());
  std::vector<std::string> expected = {"linux", "linux.txt", "windows", "windows.txt"};
  if (parityCase.packed) {
    expected.insert(expected.end(), {"backup.cab", "packed"});
    std::sort(expected.begin(), expected.end());
  }
  EXPECT_EQ(beside, expected);

  EXPECT_EQ(windowsRun.exitStatus, linuxRun.exitStatus);
  ASSERT_GE(linuxRun.report.size(), kDateLineBytes);
  ASSERT_GE(windowsRun.report.size(), kDateLineBytes);
  EXPECT_EQ(windowsRun.report.substr(0, 20), linuxRun.report.substr(0, 20));  // up to the date
  EXPECT_EQ(windowsRun.report.substr(kDateLineBytes), linuxRun.report.substr(kDateLineBytes));
  if (const char* why = KnownDecoderDisagreement(parityCase.name)) {
    // Both builds still hold to the intake's rules, which its own tests check
    // on each backend; only which files come out differs.
    std::cout << "files left may differ: " << why << "\n";
  } else {
    EXPECT_EQ(Names(windowsRun.left), Names(linuxRun.left));
  }
  for (const auto& [name, bytes] : linuxRun.left) {
    const auto other = windowsRun.left.find(name);
    if (other != windowsRun.left.end()) {
      EXPECT_TRUE(other->second == bytes) << name << " differs";
    }
  }

  if (!HasFailure()) {
    fs::remove_all(root);
  }
}

std::string CaseTestName(const ::testing::TestParamInfo<ParityCase>& param) {
  std::string name = param.param.name;
  std::replace_if(
      name.begin(), name.end(),
      [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Inputs, ReportParity, ::testing::ValuesIn(AllCases()), CaseTestName);

const auto* const kWineServer = ::testing::AddGlobalTestEnvironment(new WineServer);

}  // namespace
