#include "remembered_path.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform_files.h"
#include "replace_file.h"
#include "work_paths.h"

namespace tvx {

namespace {

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::string> ReadRememberedPath(const std::string& workDir) {
  const std::string path = WorkPath(workDir, kRememberedPathFile);
  // Only a plain file: opening a pipe of that name would wait for a writer.
  std::error_code error;
  if (!std::filesystem::is_regular_file(FileSystemPath(path), error)) {
    return std::nullopt;
  }
  std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    return std::nullopt;
  }
  std::string bytes(kMaxRememberedPathBytes, '\0');
  const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file.get());
  if (std::ferror(file.get())) {
    return std::nullopt;
  }
  bytes.resize(read);
  return bytes.substr(0, bytes.find('\0'));
}

bool WriteRememberedPath(const std::string& workDir, const std::string& cabPath) {
  return ReplaceFileContents(WorkPath(workDir, kRememberedPathFile), cabPath);
}

}  // namespace tvx
