#pragma once

#include <optional>
#include <string>

namespace tvx {

// The backup intake as the update run sees it: where the working directory is,
// which cabinet was remembered, putting the cabinet's files into the working
// directory and deleting the extracted tables again.
class BackupIntake {
 public:
  virtual ~BackupIntake() = default;

  // The working directory, or nothing when there is none to be had; without
  // one every table open fails.
  virtual std::optional<std::string> WorkingDirectory() = 0;

  // The remembered cabinet path, or nothing when the remembered-path file is
  // absent or does not open (the window's path then stays as it was).
  virtual std::optional<std::string> ReadRememberedPath(const std::string& workDir) = 0;

  // Extracts every file of the cabinet into workDir. The result says whether
  // the cabinet could be read; the update does not look at it.
  virtual bool ExtractBackup(const std::string& cabPath, const std::string& workDir) = 0;

  // Deletes the extracted tables in their fixed order, stopping at the first
  // delete that fails. The caller has closed the database streams.
  virtual void DeleteExtractedTables(const std::string& workDir) = 0;
};

}  // namespace tvx
