#include "extracted_tables.h"

#include <filesystem>
#include <system_error>

#include "platform_files.h"
#include "work_paths.h"

namespace tvx {

void DeleteExtractedTables(const std::string& workDir) {
  namespace fs = std::filesystem;
  for (const char* table : kExtractedTables) {
    const std::filesystem::path path = FileSystemPath(WorkPath(workDir, table));
    std::error_code error;
    // A file delete does not take a folder, even an empty one.
    if (fs::is_directory(fs::symlink_status(path, error)) || !fs::remove(path, error)) {
      return;  // the first delete that fails ends the removal
    }
  }
}

}  // namespace tvx
