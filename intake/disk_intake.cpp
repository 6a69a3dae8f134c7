#include "disk_intake.h"

#include <cstdlib>
#include <utility>

#include "backup_extraction.h"
#include "extracted_tables.h"
#include "platform_files.h"
#include "remembered_path.h"

namespace tvx {

DiskIntake::DiskIntake() : DiskIntake(MakeCabinetIteration()) {}

DiskIntake::DiskIntake(std::unique_ptr<CabinetIteration> iteration)
    : iteration_(std::move(iteration)) {}

std::optional<std::string> DiskIntake::WorkingDirectory() {
  const char* temp = std::getenv("TEMP");
  if (temp != nullptr && *temp != '\0') {
    return std::string(temp);
  }
  return PrivateWorkFolder();
}

std::optional<std::string> DiskIntake::ReadRememberedPath(const std::string& workDir) {
  return tvx::ReadRememberedPath(workDir);
}

bool DiskIntake::ExtractBackup(const std::string& cabPath, const std::string& workDir) {
  BackupExtraction extraction(workDir);
  return iteration_->IterateCabinet(cabPath, extraction);
}

void DiskIntake::DeleteExtractedTables(const std::string& workDir) {
  tvx::DeleteExtractedTables(workDir);
}

}  // namespace tvx
