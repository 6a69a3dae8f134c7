#include "replace_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform_files.h"

namespace tvx {

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  const std::string partial = path + ".partial";
  std::error_code error;
  // One left by a crash goes first. The new one is made exclusively, so a link
  // planted under its name is never written through.
  fs::remove(FileSystemPath(partial), error);
  std::FILE* file = CreateNewFile(partial);
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                       std::fflush(file) == 0 && SyncToDisk(file);
  const bool closed = std::fclose(file) == 0;
  if (written && closed) {
    fs::rename(FileSystemPath(partial), FileSystemPath(path), error);
    if (!error) {
      return true;
    }
  }
  fs::remove(FileSystemPath(partial), error);
  return false;
}

}  // namespace tvx
