#include "platform_files.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <climits>
#else
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

#include <string>

namespace tvx {

#ifdef _WIN32

std::optional<std::string> PrivateWorkFolder() {
  // The user's own temporary folder; other users cannot write there.
  const DWORD size = GetTempPathA(0, nullptr);
  if (size == 0) {
    return std::nullopt;
  }
  std::string folder(size, '\0');
  const DWORD length = GetTempPathA(size, folder.data());
  if (length == 0 || length >= size) {
    return std::nullopt;
  }
  folder.resize(length);
  while (folder.size() > 3 && folder.back() == '\\') {
    folder.pop_back();
  }
  if (!IsOwnRealFolder(folder)) {
    return std::nullopt;
  }
  return folder;
}

bool IsOwnRealFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool SyncToDisk(std::FILE* file) {
  return _commit(_fileno(file)) == 0;
}

std::filesystem::path FileSystemPath(const std::string& path) {
  if (path.empty() || path.size() > INT_MAX) {
    return {};
  }
  const int length = static_cast<int>(path.size());
  const int wideLength =
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.data(), length, nullptr, 0);
  if (wideLength <= 0) {
    return {};
  }
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.data(), length, wide.data(),
                          wideLength) != wideLength) {
    return {};
  }
  return std::filesystem::path(wide);
}

std::FILE* CreateNewFile(const std::string& path) {
  const int descriptor =
      _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (descriptor == -1) {
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, "wb");
  if (file == nullptr) {
    _close(descriptor);
  }
  return file;
}

#else

std::optional<std::string> PrivateWorkFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = (tmpdir != nullptr && *tmpdir != '\0') ? tmpdir : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') {
    folder.pop_back();
  }
  // One folder per user: a shared /tmp must not let another user plant the
  // tables or the remembered path.
  folder += "/tvx-status-" + std::to_string(geteuid());
  if (mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
    return std::nullopt;
  }
  if (!IsOwnRealFolder(folder)) {
    return std::nullopt;
  }
  return folder;
}

bool IsOwnRealFolder(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == geteuid();
}

bool SyncToDisk(std::FILE* file) {
  return fsync(fileno(file)) == 0;
}

std::filesystem::path FileSystemPath(const std::string& path) {
  return path;
}

std::FILE* CreateNewFile(const std::string& path) {
  return std::fopen(path.c_str(), "wbx");
}

#endif

}  // namespace tvx
