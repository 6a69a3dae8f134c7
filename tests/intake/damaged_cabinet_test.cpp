#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "disk_intake.h"
#include "extraction_checks.h"
#include "sandbox.h"
#include "work_paths.h"

namespace tvx {
namespace {

namespace fs = std::filesystem;
using testing::ListTree;
using testing::ReadBytes;
using testing::Sandbox;
using testing::WriteBytes;

// Extracts cabinet bytes into an emptied working directory, checks that
// nothing left it, and gives each file it holds as "name=bytes".
std::vector<std::string> ExtractIntoEmptyFolder(const Sandbox& sandbox,
                                                const std::string& cabinet) {
  fs::remove_all(sandbox.work());
  fs::create_directory(sandbox.work());
  WriteBytes(sandbox.Path("backup.cab"), cabinet);
  DiskIntake().ExtractBackup(sandbox.Path("backup.cab"), sandbox.work());
  testing::ExpectContained(sandbox, {{"backup.cab", cabinet}});
  std::vector<std::string> files;
  for (const std::string& entry : ListTree(sandbox.work())) {
    const std::string path = sandbox.Path("work/" + entry);
    if (fs::is_regular_file(fs::symlink_status(path))) {
      files.push_back(entry + "=" + ReadBytes(path).value());
    }
  }
  return files;
}

TEST(DamagedCabinet, ACutCabinetGivesOnlyCompleteFiles) {
  Sandbox sandbox;
  // Every cut of the compressed one; every third of the larger stored one.
  const std::vector<std::pair<const char*, std::size_t>> cabinets = {{"tables_mszip.cab", 1},
                                                                     {"tables_stored.cab", 3}};
  for (const auto& [name, step] : cabinets) {
    const std::string cabinet = ReadBytes(testing::FixturePath(name)).value();
    for (std::size_t cut = 0; cut < cabinet.size(); cut += step) {
      for (const std::string& file : ExtractIntoEmptyFolder(sandbox, cabinet.substr(0, cut))) {
        const std::string entry = file.substr(0, file.find('='));
        EXPECT_EQ(file.substr(entry.size() + 1), ReadBytes(testing::TablePath(entry)))
            << name << " cut at " << cut << ": " << entry;
      }
    }
  }
}

TEST(DamagedCabinet, AFlippedBitNeverWritesOutsideTheWorkingDirectory) {
  Sandbox sandbox;
  const std::string cabinet = ReadBytes(testing::FixturePath("tables_mszip.cab")).value();
  for (std::size_t at = 0; at < cabinet.size(); ++at) {
    std::string flipped = cabinet;
    flipped[at] = static_cast<char>(flipped[at] ^ (1 << (at % 8)));
    SCOPED_TRACE("bit flipped at byte " + std::to_string(at));
    ExtractIntoEmptyFolder(sandbox, flipped);
  }
}

// Broken cabinets that Windows's own reader (SetupAPI, as Wine has it) judges
// otherwise than libmspack: it reads the first four, which libmspack refuses,
// and cannot decode the last, which libmspack does.
#ifdef _WIN32
const std::set<std::string> kReadOtherwiseBySetupApi = {
    "bad_folderindex.cab", "bad_nofiles.cab", "bad_nofolders.cab", "partial_str_shortfname.cab",
    "cve-2010-2801-qtm-flush.cab"};
#else
const std::set<std::string> kReadOtherwiseBySetupApi;
#endif

// The public corpus of valid and broken cabinets, where it lies beside the checkout.
TEST(CabinetCorpus, EveryFileExtractsSafely) {
  const std::string corpus = testing::CorpusFolder();
  if (!fs::is_directory(corpus)) {
    GTEST_SKIP() << "no cabinet corpus at " << corpus;
  }
  // What the valid ones hold, by name and size.
  const std::map<std::string, std::vector<std::string>> valid = {
      {"normal_2files_1folder.cab", {"hello.c 77", "welcome.c 74"}},
      {"normal_2files_2folders.cab",
       {"lzx1.txt 23", "lzx2.txt 28", "mszip1.txt 31", "mszip2.txt 36"}},
      {"mszip_lzx_qtm.cab", {"lzx.txt 187", "mszip.txt 57", "qtm.txt 59"}},
      {"dir.cab", {"1/2/3/4.c 74", "plain.c 77"}},
      {"reserve_HFD.cab", {"test1.txt 5", "test2.txt 5"}},
      {"cve-2010-2801-qtm-flush.cab", {"zeroes 524159"}},
      // A cabinet inside a cabinet: the outer one holds it, nothing more is unpacked.
      {"large-files-cab.cab", {"large-files.cab 14689228"}},
  };
  std::size_t seen = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".cab") {
      continue;
    }
    ++seen;
    SCOPED_TRACE(name);
    Sandbox sandbox;
    const bool read = DiskIntake().ExtractBackup(entry.path().string(), sandbox.work());
    testing::ExpectContained(sandbox);
    std::vector<std::string> files;
    for (const std::string& file : ListTree(sandbox.work())) {
      const std::string path = sandbox.Path("work/" + file);
      if (fs::is_regular_file(fs::symlink_status(path))) {
        files.push_back(file + " " + std::to_string(fs::file_size(path)));
      }
    }
    if (kReadOtherwiseBySetupApi.count(name) != 0) {
      continue;  // what it wrote is contained, and held to the handler's checks
    }
    if (const auto found = valid.find(name); found != valid.end()) {
      EXPECT_TRUE(read);
      EXPECT_EQ(files, found->second);
    }
    if (name.starts_with("bad_") ||
        (name.starts_with("partial_") && name != "partial_nodata.cab")) {
      EXPECT_FALSE(read);
    }
    if (name.starts_with("bad_") || name.starts_with("partial_") || name.starts_with("multi_") ||
        name.starts_with("lzx-") || name.starts_with("search")) {
      EXPECT_TRUE(files.empty());
    }
  }
  EXPECT_GE(seen, valid.size());
}

}  // namespace
}  // namespace tvx
