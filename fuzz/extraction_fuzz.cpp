// The extraction of whatever bytes a cabinet holds. Each input is written as a
// cabinet (or, when it does not start as one, made into a readable cabinet of
// the files it describes: see DescribedFiles) into a fresh folder and extracted into a working
// directory below it that already holds two tables of an earlier backup. Afterwards:
// - nothing lies outside the working directory but the cabinet, which is
//   unchanged, and nothing anywhere is a link;
// - every file in the working directory is one the cabinet lists (so no
//   partial file is left), whole (the size the cabinet states), and they add
//   up to at most the bound;
// - every folder made is a folder part of a listed name;
// - an earlier table is gone or replaced when the cabinet lists its name, and
//   untouched when it does not.
// The bound is smaller than the program's so that an input costs milliseconds;
// the code that keeps it is the same.
#include <mspack.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "backup_extraction.h"
#include "fuzz_support.h"
#include "mspack_cabinet_iteration.h"
#include "stored_cabinet.h"

namespace tvx::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kBound = std::uint64_t{4} << 20;
constexpr std::string_view kPlanted = "planted by an earlier backup\r\n";
constexpr const char* kPlantedTables[] = {"member.xml", "stage.xml"};

// A stored name as a path below the working directory: backslashes and slashes
// separate its parts, and a part "." stands for the folder it is in.
std::string PathOfStoredName(std::string_view name) {
  std::string path;
  bool first = true;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t end = std::min(name.find_first_of("\\/", start), name.size());
    const std::string_view part = name.substr(start, end - start);
    if (part != ".") {
      path += first ? "" : "/";
      path += part;
      first = false;
    }
    start = end + 1;
  }
  return path;
}

// libmspack reading the cabinet's bytes from memory, without a word on the
// console: the "file name" it opens is the address of the bytes.
struct MemoryFile {
  const std::string* bytes = nullptr;
  std::size_t at = 0;
};

MemoryFile* AsMemoryFile(mspack_file* file) {
  return reinterpret_cast<MemoryFile*>(file);
}

mspack_file* OpenInMemory(mspack_system*, const char* name, int mode) {
  if (mode != MSPACK_SYS_OPEN_READ) {
    return nullptr;
  }
  return reinterpret_cast<mspack_file*>(
      new MemoryFile{reinterpret_cast<const std::string*>(name), 0});
}

void CloseInMemory(mspack_file* file) {
  delete AsMemoryFile(file);
}

int ReadInMemory(mspack_file* handle, void* buffer, int bytes) {
  MemoryFile* file = AsMemoryFile(handle);
  if (file == nullptr || bytes < 0) {
    return -1;
  }
  const std::size_t count =
      std::min(static_cast<std::size_t>(bytes), file->bytes->size() - file->at);
  std::memcpy(buffer, file->bytes->data() + file->at, count);
  file->at += count;
  return static_cast<int>(count);
}

int WriteInMemory(mspack_file*, void*, int) {
  return -1;
}

int SeekInMemory(mspack_file* handle, off_t offset, int mode) {
  MemoryFile* file = AsMemoryFile(handle);
  if (file == nullptr) {
    return -1;
  }
  const auto size = static_cast<off_t>(file->bytes->size());
  const off_t base = mode == MSPACK_SYS_SEEK_CUR   ? static_cast<off_t>(file->at)
                     : mode == MSPACK_SYS_SEEK_END ? size
                                                   : 0;
  if (offset < -base || offset > size - base) {
    return -1;
  }
  file->at = static_cast<std::size_t>(base + offset);
  return 0;
}

off_t TellInMemory(mspack_file* handle) {
  MemoryFile* file = AsMemoryFile(handle);
  return file == nullptr ? -1 : static_cast<off_t>(file->at);
}

void QuietMessage(mspack_file*, const char*, ...) {}
void* Allocate(mspack_system*, std::size_t bytes) {
  return std::malloc(bytes);
}
void Free(void* memory) {
  std::free(memory);
}
void Copy(void* from, void* to, std::size_t bytes) {
  std::memcpy(to, from, bytes);
}

// The files the cabinet lists, by the paths of their stored names, and the
// sizes stated for each; nothing when it is no cabinet.
std::map<std::string, std::set<std::uint64_t>> ListCabinet(const std::string& bytes) {
  std::map<std::string, std::set<std::uint64_t>> listed;
  mspack_system system{OpenInMemory, CloseInMemory, ReadInMemory, WriteInMemory,
                       SeekInMemory, TellInMemory,  QuietMessage, Allocate,
                       Free,         Copy,          nullptr};
  mscab_decompressor* decompressor = mspack_create_cab_decompressor(&system);
  if (decompressor == nullptr) {
    ReportFinding("libmspack cannot make a decompressor");
  }
  if (mscabd_cabinet* cabinet =
          decompressor->open(decompressor, reinterpret_cast<const char*>(&bytes))) {
    for (const mscabd_file* file = cabinet->files; file != nullptr; file = file->next) {
      listed[PathOfStoredName(file->filename)].insert(static_cast<std::uint64_t>(file->length));
    }
    decompressor->close(decompressor, cabinet);
  }
  mspack_destroy_cab_decompressor(decompressor);
  return listed;
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteWhole(const fs::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) {
    ReportFinding("scratch folder cannot be written", path.string());
  }
}

void CheckFolder(const fs::path& caseFolder, const fs::path& cabinet, const fs::path& work,
                 const std::string& input,
                 const std::map<std::string, std::set<std::uint64_t>>& listed) {
  std::set<std::string> folderParts;
  for (const auto& [name, sizes] : listed) {
    for (std::size_t slash = name.find('/'); slash != std::string::npos;
         slash = name.find('/', slash + 1)) {
      folderParts.insert(name.substr(0, slash));
    }
  }

  const std::string workPrefix = work.string() + "/";
  std::uint64_t total = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(caseFolder, error), end; it != end && !error;
       it.increment(error)) {
    const fs::path& path = it->path();
    const fs::file_status status = it->symlink_status(error);
    const std::string shown = Escaped(path.string());
    if (fs::is_symlink(status)) {
      ReportFinding("extraction left a link", shown);
    }
    if (path == cabinet || path == work) {
      continue;
    }
    if (!path.string().starts_with(workPrefix)) {
      ReportFinding("extraction wrote outside the working directory", shown);
    }
    const std::string relative = path.string().substr(workPrefix.size());
    if (fs::is_directory(status)) {
      if (!folderParts.contains(relative)) {
        ReportFinding("extraction made a folder no listed name has", shown);
      }
      continue;
    }
    if (!fs::is_regular_file(status)) {
      ReportFinding("extraction made something that is no file", shown);
    }
    const std::uint64_t size = it->file_size(error);
    total += size;
    const bool planted = std::find(std::begin(kPlantedTables), std::end(kPlantedTables),
                                   relative) != std::end(kPlantedTables);
    const auto entry = listed.find(relative);
    if (entry == listed.end()) {
      if (!planted || ReadWhole(path) != kPlanted) {
        // A partial file left behind is one of these.
        ReportFinding("extraction left a file the cabinet does not list", shown);
      }
      continue;
    }
    if (!entry->second.contains(size)) {
      ReportFinding("extracted file of another size than the cabinet states",
                    shown + ": " + std::to_string(size) + " bytes");
    }
  }
  if (error) {
    ReportFinding("scratch folder cannot be walked", error.message());
  }
  if (total > kBound) {
    ReportFinding("extraction wrote more than the bound", std::to_string(total) + " bytes");
  }
  for (const char* table : kPlantedTables) {
    if (!listed.contains(table) && ReadWhole(work / table) != kPlanted) {
      ReportFinding("extraction changed a table the cabinet does not list", table);
    }
  }
  if (ReadWhole(cabinet) != input) {
    ReportFinding("extraction changed the cabinet");
  }
}

}  // namespace
}  // namespace tvx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tvx;
  using namespace tvx::fuzz;
  static ScratchFolder root("extraction");
  const fs::path caseFolder = fs::path(root.path()) / "case";
  const fs::path cabinet = caseFolder / "backup.cab";
  const fs::path work = caseFolder / "work";

  std::error_code error;
  fs::remove_all(caseFolder, error);
  fs::create_directories(work, error);
  if (error) {
    ReportFinding("scratch folder cannot be made", error.message());
  }
  const bool isCabinet = size >= 4 && std::memcmp(data, kCabinetSignature, 4) == 0;
  const std::string input = isCabinet ? std::string(reinterpret_cast<const char*>(data), size)
                                      : StoredCabinet(DescribedFiles(data, size));
  WriteWhole(cabinet, input);
  for (const char* table : kPlantedTables) {
    WriteWhole(work / table, kPlanted);
  }

  {
    BackupExtraction extraction(work.string(), kBound);
    MspackCabinetIteration iteration(kBound, 2 * kBound);
    iteration.IterateCabinet(cabinet.string(), extraction);
  }

  CheckFolder(caseFolder, cabinet, work, input, ListCabinet(input));
  // Nothing piles up from one input to the next.
  fs::remove_all(caseFolder, error);
  return 0;
}
