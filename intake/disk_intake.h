#pragma once

#include <memory>

#include "backup_intake.h"
#include "cabinet_iteration.h"

namespace tvx {

// The backup intake on the real disk: the working directory from TEMP, the
// remembered path in it, the cabinet extracted by the platform's iteration.
class DiskIntake : public BackupIntake {
 public:
  DiskIntake();
  explicit DiskIntake(std::unique_ptr<CabinetIteration> iteration);

  // TEMP used whole, however long; without a TEMP (unset or empty), the
  // platform's private work folder, or nothing when there is none to be had.
  std::optional<std::string> WorkingDirectory() override;
  std::optional<std::string> ReadRememberedPath(const std::string& workDir) override;
  bool ExtractBackup(const std::string& cabPath, const std::string& workDir) override;
  void DeleteExtractedTables(const std::string& workDir) override;

 private:
  std::unique_ptr<CabinetIteration> iteration_;
};

}  // namespace tvx
