// Reading the remembered-path file from whatever bytes it holds: the path is
// the bytes up to the first zero byte, at most kMaxRememberedPathBytes of them.
// The same bytes remembered as a chosen path must come back the same way, the
// file must hold exactly them, and nothing else may be left in the folder.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "fuzz_support.h"
#include "remembered_path.h"
#include "work_paths.h"

namespace tvx::fuzz {
namespace {

namespace fs = std::filesystem;

std::string Expected(const std::string& bytes) {
  return bytes.substr(0, bytes.find('\0')).substr(0, kMaxRememberedPathBytes);
}

void CheckRead(const std::string& folder, const std::string& bytes, const char* how) {
  const auto read = ReadRememberedPath(folder);
  if (!read) {
    ReportFinding("remembered-path file not read", how);
  }
  const std::string expected = Expected(bytes);
  if (*read != expected) {
    ReportFinding("remembered path not the file's bytes up to the first zero byte",
                  std::string(how) + ": read " + std::to_string(read->size()) + " bytes \"" +
                      Escaped(*read) + "\", expected " + std::to_string(expected.size()) +
                      " bytes \"" + Escaped(expected) + "\"");
  }
}

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace
}  // namespace tvx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tvx;
  using namespace tvx::fuzz;
  static ScratchFolder folder("path");
  const std::string path = WorkPath(folder.path(), kRememberedPathFile);
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // Written by anyone.
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
      ReportFinding("scratch folder cannot be written", path);
    }
  }
  CheckRead(folder.path(), bytes, "file written as it stands");

  // Remembered by the program.
  if (!WriteRememberedPath(folder.path(), bytes)) {
    ReportFinding("remembered path not written", Escaped(bytes));
  }
  if (ReadWhole(path) != bytes) {
    ReportFinding("remembered-path file not exactly the path's bytes");
  }
  CheckRead(folder.path(), bytes, "path remembered");

  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder.path(), error)) {
    if (entry.path().filename() != kRememberedPathFile) {
      ReportFinding("remembering left another file", Escaped(entry.path().string()));
    }
  }
  if (error) {
    ReportFinding("scratch folder cannot be listed", error.message());
  }
  return 0;
}
