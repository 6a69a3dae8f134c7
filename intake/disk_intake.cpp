#include "disk_intake.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "work_paths.h"

namespace tvx {

namespace {
constexpr const char* kExtractedTables[] = {"member.xml",   "score.xml", "enrolled.xml",
                                            "stage.xml",    "classify.xml", "club.xml",
                                            "squad.xml",    "tag.xml",   "team.xml",
                                            "thematch.xml"};
}

std::optional<std::string> DiskIntake::WorkingDirectory() {
  const char* temp = std::getenv("TEMP");
  if (temp == nullptr || *temp == '\0') {
    return std::nullopt;
  }
  return std::string(temp);
}

std::optional<std::string> DiskIntake::ReadRememberedPath(const std::string& workDir) {
  std::ifstream file(WorkPath(workDir, "tvxinfo.cst"), std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return bytes.substr(0, bytes.find('\0'));
}

bool DiskIntake::ExtractBackup(const std::string&, const std::string&) { return false; }

void DiskIntake::DeleteExtractedTables(const std::string& workDir) {
  for (const char* name : kExtractedTables) {
    std::error_code error;
    if (!std::filesystem::remove(WorkPath(workDir, name), error)) {
      return;  // the first delete that fails ends the removal
    }
  }
}

}  // namespace tvx
