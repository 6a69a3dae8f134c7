#pragma once

#include "backup_intake.h"

namespace tvx {

// The backup intake on the real disk.
class DiskIntake : public BackupIntake {
 public:
  std::optional<std::string> WorkingDirectory() override;
  std::optional<std::string> ReadRememberedPath(const std::string& workDir) override;
  bool ExtractBackup(const std::string& cabPath, const std::string& workDir) override;
  void DeleteExtractedTables(const std::string& workDir) override;
};

}  // namespace tvx
