#include "backup_extraction.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform_files.h"
#include "stored_name.h"
#include "work_paths.h"

namespace tvx {

namespace {

namespace fs = std::filesystem;

// Reserving a partial name gives up after this many names already taken.
constexpr int kPartialNameAttempts = 100;

// Removes the file under a name that did not get a complete file. A folder of
// that name is left alone: it is no stale table, and it may hold other files.
void RemoveStaleFile(const std::string& path) {
  const fs::path entry = FileSystemPath(path);
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(entry, error))) {
    fs::remove(entry, error);
  }
}

}  // namespace

BackupExtraction::BackupExtraction(std::string workDir, std::uint64_t maxExtractedBytes)
    : workDir_(std::move(workDir)), maxExtractedBytes_(maxExtractedBytes) {}

BackupExtraction::~BackupExtraction() {
  DiscardPending();
}

HandlerAnswer BackupExtraction::HandleCabinetNotification(CabinetNotification& notification) {
  if (auto* file = std::get_if<FileInCabinet>(&notification)) {
    return PrepareFile(*file);
  }
  if (const auto* extracted = std::get_if<FileExtracted>(&notification)) {
    PlaceFile(*extracted);
  }
  // A further cabinet of a set is never named: the files continued there fail
  // and leave nothing behind.
  return HandlerAnswer::kNoError;
}

HandlerAnswer BackupExtraction::PrepareFile(FileInCabinet& file) {
  // A file whose outcome never came counts as failed.
  DiscardPending();

  const auto parts = SplitStoredName(file.nameInCabinet);
  if (!parts) {
    return HandlerAnswer::kSkip;
  }
  std::string relative = parts->front();
  for (std::size_t i = 1; i < parts->size(); ++i) {
    relative += kPathSeparator;
    relative += (*parts)[i];
  }
  const std::string finalPath = WorkPath(workDir_, relative);

  overLimit_ = overLimit_ || file.fileSize > maxExtractedBytes_ - statedBytes_;
  if (overLimit_) {
    if (TargetFolder(*parts, /*make=*/false)) {
      RemoveStaleFile(finalPath);
    }
    return HandlerAnswer::kSkip;
  }
  statedBytes_ += file.fileSize;

  const auto folder = TargetFolder(*parts, /*make=*/true);
  if (!folder) {
    return HandlerAnswer::kSkip;
  }
  auto partialPath = ReservePartialFile(*folder);
  if (!partialPath) {
    RemoveStaleFile(finalPath);
    return HandlerAnswer::kSkip;
  }
  file.fullTargetName = *partialPath;
  pending_ = PendingFile{std::move(*partialPath), finalPath, file.fileSize};
  return HandlerAnswer::kDoIt;
}

void BackupExtraction::PlaceFile(const FileExtracted& extracted) {
  if (!pending_ || extracted.target != pending_->partialPath) {
    return;  // not the file we named; a pending one is dropped at the next file or the end
  }
  const fs::path partial = FileSystemPath(pending_->partialPath);
  std::error_code error;
  const bool whole = extracted.errorCode == 0 &&
                     fs::is_regular_file(fs::symlink_status(partial, error)) &&
                     fs::file_size(partial, error) == pending_->statedSize && !error;
  if (whole) {
    fs::rename(partial, FileSystemPath(pending_->finalPath), error);
    if (!error) {
      pending_.reset();
      return;
    }
  }
  DiscardPending();
}

void BackupExtraction::DiscardPending() {
  if (!pending_) {
    return;
  }
  std::error_code error;
  fs::remove(FileSystemPath(pending_->partialPath), error);
  RemoveStaleFile(pending_->finalPath);
  pending_.reset();
}

std::optional<std::string> BackupExtraction::TargetFolder(const std::vector<std::string>& parts,
                                                          bool make) const {
  std::string folder = workDir_;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    folder = WorkPath(folder, parts[i]);
    if (make) {
      // An entry already there is judged below, whatever it is.
      std::error_code error;
      fs::create_directory(FileSystemPath(folder), error);
    }
    if (!IsOwnRealFolder(folder)) {
      return std::nullopt;
    }
  }
  return folder;
}

std::optional<std::string> BackupExtraction::ReservePartialFile(const std::string& folder) {
  for (int attempt = 0; attempt < kPartialNameAttempts; ++attempt) {
    std::string candidate = WorkPath(folder, "~tvx" + std::to_string(++partialCount_) + ".partial");
    // Exclusive creation: a name already taken, a link included, is never opened.
    if (std::FILE* file = CreateNewFile(candidate)) {
      if (std::fclose(file) != 0) {
        std::error_code error;
        fs::remove(FileSystemPath(candidate), error);
        return std::nullopt;
      }
      return candidate;
    }
    std::error_code error;
    if (!fs::exists(fs::symlink_status(FileSystemPath(candidate), error))) {
      return std::nullopt;  // the folder takes no new file at all
    }
  }
  return std::nullopt;
}

}  // namespace tvx
