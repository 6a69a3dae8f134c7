#pragma once

#include <optional>
#include <string>
#include <utility>

#include "backup_intake.h"

namespace tvx::testing {

// An intake for tables that already lie in the working directory: nothing is
// extracted and nothing deleted, so several updates read the same files.
class TablesInPlace : public BackupIntake {
 public:
  explicit TablesInPlace(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::string> WorkingDirectory() override { return folder_; }
  std::optional<std::string> ReadRememberedPath(const std::string&) override { return {}; }
  bool ExtractBackup(const std::string&, const std::string&) override { return false; }
  void DeleteExtractedTables(const std::string&) override {}

 private:
  std::string folder_;
};

}  // namespace tvx::testing
