#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cabinet_iteration.h"

namespace tvx {

// The notification handler of an extraction into the working directory. It
// trusts the cabinet iteration with nothing but writing bytes into the file it
// names, so every backend gets the same guarantees:
// - a stored name that cannot be placed safely is skipped (see SplitStoredName),
//   and nothing is ever written outside the working directory;
// - folder parts become folders below the working directory, made here, and a
//   folder part that is a link or not this user's skips the file;
// - each file goes to a fresh partial file in its folder and is renamed into
//   place only when the iteration reports it extracted and it has the size the
//   cabinet states: the rename replaces whatever entry had the name (a link
//   included), and only a complete file ever appears under it;
// - a file that does not come out whole leaves no file under its name, neither
//   a partial one nor an older one, so an update never reads a stale table;
// - the sizes the cabinet states may add up to maxExtractedBytes; the file
//   that would pass it and all files after it are skipped and leave no file.
class BackupExtraction : public CabinetNotificationHandler {
 public:
  explicit BackupExtraction(std::string workDir,
                            std::uint64_t maxExtractedBytes = kMaxExtractedBytes);
  // An iteration that ended between a file and its outcome leaves that file
  // unplaced; its partial file is removed here.
  ~BackupExtraction() override;
  BackupExtraction(const BackupExtraction&) = delete;
  BackupExtraction& operator=(const BackupExtraction&) = delete;

  HandlerAnswer HandleCabinetNotification(CabinetNotification& notification) override;

 private:
  struct PendingFile {
    std::string partialPath;
    std::string finalPath;
    std::uint64_t statedSize = 0;
  };

  HandlerAnswer PrepareFile(FileInCabinet& file);
  void PlaceFile(const FileExtracted& extracted);
  void DiscardPending();
  std::optional<std::string> TargetFolder(const std::vector<std::string>& parts, bool make) const;
  std::optional<std::string> ReservePartialFile(const std::string& folder);

  std::string workDir_;
  std::uint64_t maxExtractedBytes_;
  std::uint64_t statedBytes_ = 0;
  bool overLimit_ = false;
  std::optional<PendingFile> pending_;
  unsigned partialCount_ = 0;
};

}  // namespace tvx
