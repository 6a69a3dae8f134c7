// Runs tvx-status-report on every case of the shared conformance suite: the
// case's tables in a fresh working directory, its cabinet (or a path that names
// no file), then the report from byte 44 on (after the date), the exit status
// and the files left in the working directory must be the expected ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kCases = fs::path(TVX_SHARED_DIR) / "conformance";
constexpr std::size_t kDateLineBytes = 44;

std::string ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Expected {
  int exit = -1;
  std::vector<std::string> left;
};

// expected.json holds {"exit": N, "left": ["name", ...]}; names have no escapes.
Expected ReadExpected(const fs::path& path) {
  const std::string json = ReadBytes(path);
  Expected expected;
  std::size_t exitAt = json.find("\"exit\"");
  if (exitAt != std::string::npos) {
    expected.exit = std::atoi(json.c_str() + json.find(':', exitAt) + 1);
  }
  std::size_t open = json.find('[', json.find("\"left\""));
  std::size_t close = json.find(']', open);
  for (std::size_t at = json.find('"', open); at < close; at = json.find('"', at)) {
    std::size_t end = json.find('"', at + 1);
    expected.left.push_back(json.substr(at + 1, end - at - 1));
    at = end + 1;
  }
  return expected;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  std::error_code error;
  if (fs::is_directory(kCases, error)) {
    for (const auto& entry : fs::directory_iterator(kCases)) {
      if (fs::exists(entry.path() / "expected.json")) {
        names.push_back(entry.path().filename().string());
      }
    }
  }
  std::sort(names.begin(), names.end());
  if (names.empty()) {
    names.push_back("absent");
  }
  return names;
}

#ifdef _WIN32
// For cmd.exe, which std::system runs here: the path in the system's own form.
std::string Quoted(const fs::path& path) {
  return "\"" + fs::absolute(path).make_preferred().string() + "\"";
}

// TEMP is set inside cmd.exe for the command alone. A program that Wine starts
// from Linux gets Wine's own TEMP, whatever the Linux side sets, but one
// started from here takes ours.
std::string CommandLine(const fs::path& work, const fs::path& cabinet, const fs::path& output) {
  return "set \"TEMP=" + fs::absolute(work).make_preferred().string() + "\"&& " +
         Quoted(TVX_REPORT_COMMAND) + " " + Quoted(cabinet) + " > " + Quoted(output);
}

int ExitCode(int status) {
  return status;
}
#else
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

std::string CommandLine(const fs::path& work, const fs::path& cabinet, const fs::path& output) {
  return "TEMP=" + Quoted(work.string()) + " " + Quoted(TVX_REPORT_COMMAND) + " " +
         Quoted(cabinet.string()) + " > " + Quoted(output.string());
}

int ExitCode(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

class Conformance : public ::testing::TestWithParam<std::string> {};

TEST_P(Conformance, ReportExitAndFilesLeft) {
  const fs::path folder = kCases / GetParam();
  if (!fs::exists(folder / "expected.json")) {
    GTEST_SKIP() << "the conformance cases are not beside this checkout";
  }
  const fs::path work = fs::temp_directory_path() / ("tvx-conformance-" + GetParam());
  fs::remove_all(work);
  fs::create_directories(work);
  if (fs::is_directory(folder / "tables")) {
    fs::copy(folder / "tables", work, fs::copy_options::recursive);
    // The copies keep the cases' read-only mode, and Windows deletes no
    // read-only file: they are tables like any other here.
    for (const auto& entry : fs::recursive_directory_iterator(work)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    }
  }
  const fs::path cabinet =
      fs::exists(folder / "backup.cab") ? folder / "backup.cab" : folder / "no-such-backup.cab";
  const fs::path output = fs::temp_directory_path() / ("tvx-conformance-" + GetParam() + ".out");
  const std::string command = CommandLine(work, cabinet, output);
  const int exitCode = ExitCode(std::system(command.c_str()));
  ASSERT_NE(exitCode, -1) << command;

  const Expected expected = ReadExpected(folder / "expected.json");
  EXPECT_EQ(exitCode, expected.exit);

  const std::string report = ReadBytes(output);
  const std::string wanted = ReadBytes(folder / "expected.txt");
  ASSERT_GE(report.size(), kDateLineBytes);
  EXPECT_EQ(report.substr(kDateLineBytes), wanted.substr(kDateLineBytes));

  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(work)) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, expected.left);

  fs::remove_all(work);
  fs::remove(output);
}

std::string CaseTestName(const ::testing::TestParamInfo<std::string>& param) {
  std::string name = param.param;
  std::replace_if(
      name.begin(), name.end(),
      [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Conformance, ::testing::ValuesIn(CaseNames()), CaseTestName);

}  // namespace
