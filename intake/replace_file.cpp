#include "replace_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tvx {

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  const std::string partial = path + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  std::error_code error;
  if (!written || !closed) {
    std::filesystem::remove(partial, error);
    return false;
  }
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::filesystem::remove(partial, error);
    return false;
  }
  return true;
}

}  // namespace tvx
