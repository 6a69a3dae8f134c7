#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cabinet_builder.h"
#include "disk_intake.h"
#include "extraction_checks.h"
#include "sandbox.h"
#include "work_paths.h"

namespace tvx {
namespace {

namespace fs = std::filesystem;
using testing::BuildCabinet;
using testing::CabinetMember;
using testing::ListTree;
using testing::ReadBytes;
using testing::Sandbox;
using testing::WriteBytes;

const std::vector<std::string> kBackupFiles = {
    "classify.xml", "club.xml",  "enrolled.xml", "member.xml", "readme.txt",  "score.xml",
    "squad.xml",    "stage.xml", "tag.xml",      "team.xml",   "thematch.xml"};

// DiskIntake's extraction, with the cabinet beside the working directory.
class DiskExtractionTest : public ::testing::Test {
 protected:
  bool Extract(const std::string& cabPath) { return DiskIntake().ExtractBackup(cabPath, work()); }
  bool ExtractBytes(const std::string& cabinet) {
    cabinet_ = cabinet;
    WriteBytes(sandbox_.Path("backup.cab"), cabinet);
    return Extract(sandbox_.Path("backup.cab"));
  }
  // Nothing but the working directory changes, whatever the cabinet.
  void ExpectContained(std::map<std::string, std::string> beside = {}) {
    if (!cabinet_.empty()) {
      beside["backup.cab"] = cabinet_;
    }
    testing::ExpectContained(sandbox_, beside);
  }
  const std::string& work() const { return sandbox_.work(); }
  std::string InWork(const std::string& name) const { return WorkPath(work(), name); }

  Sandbox sandbox_;
  std::string cabinet_;
};

TEST_F(DiskExtractionTest, ExtractsEveryFileOfARealBackup) {
  std::vector<std::string> withFolder = kBackupFiles;
  withFolder.insert(withFolder.begin() + 4, {"notes", "notes/today.txt"});
  const std::vector<std::pair<const char*, std::vector<std::string>>> cabinets = {
      {"tables_mszip.cab", kBackupFiles}, {"tables_stored.cab", withFolder}};
  for (const auto& [cabinet, tree] : cabinets) {
    fs::remove_all(work());
    fs::create_directory(work());
    EXPECT_TRUE(Extract(testing::FixturePath(cabinet)));
    EXPECT_EQ(ListTree(work()), tree) << cabinet;
    for (const std::string& entry : tree) {
      if (entry != "notes") {
        EXPECT_EQ(ReadBytes(sandbox_.Path("work/" + entry)), ReadBytes(testing::TablePath(entry)))
            << entry;
      }
    }
    ExpectContained();
  }
}

TEST_F(DiskExtractionTest, ReplacesOlderFilesOfTheSameName) {
  WriteBytes(InWork("member.xml"), "an older table");
  WriteBytes(InWork("other.txt"), "not in the cabinet");
  EXPECT_TRUE(Extract(testing::FixturePath("tables_mszip.cab")));
  EXPECT_EQ(ReadBytes(InWork("member.xml")), ReadBytes(testing::TablePath("member.xml")));
  EXPECT_EQ(ReadBytes(InWork("other.txt")), "not in the cabinet");
}

TEST_F(DiskExtractionTest, ExtractsNothingFromWhatIsNotACabinet) {
  WriteBytes(sandbox_.Path("text.cab"), "member.xml\r\n");
  fs::create_directory(sandbox_.Path("folder.cab"));
  WriteBytes(InWork("member.xml"), "a table already there");
  for (const std::string& path :
       {sandbox_.Path("missing.cab"), std::string(), std::string("c:\\Program Files\\Tarvix\\back"),
        sandbox_.Path("folder.cab"), sandbox_.Path("text.cab")}) {
    EXPECT_FALSE(Extract(path)) << path;
    EXPECT_EQ(ListTree(work()), std::vector<std::string>{"member.xml"});
    EXPECT_EQ(ReadBytes(InWork("member.xml")), "a table already there");
  }
}

TEST_F(DiskExtractionTest, RefusesStoredNamesThatLeaveTheWorkingDirectory) {
  WriteBytes(sandbox_.Path("outside.txt"), "outside");
  const std::vector<CabinetMember> members = {
      {"..\\outside.txt", "evil"},
      {"../outside.txt", "evil"},
      {sandbox_.Path("outside.txt"), "evil"},  // absolute
      {"notes\\..\\..\\outside.txt", "evil"},
      {"C:\\outside.txt", "evil"},
      {"\\\\server\\share\\outside.txt", "evil"},
      {"member.xml", "<members/>"},
      {"..", "evil"},
  };
  EXPECT_TRUE(ExtractBytes(BuildCabinet(members)));
  EXPECT_EQ(ListTree(work()), std::vector<std::string>{"member.xml"});
  EXPECT_EQ(ReadBytes(InWork("member.xml")), "<members/>");
  ExpectContained({{"outside.txt", "outside"}});
}

TEST_F(DiskExtractionTest, NeverWritesThroughALink) {
  WriteBytes(sandbox_.Path("outside.txt"), "outside");
  fs::create_directory(sandbox_.Path("elsewhere"));
  if (!testing::MakeLink(sandbox_.Path("outside.txt"), InWork("member.xml")) ||
      !testing::MakeLink(sandbox_.Path("elsewhere"), InWork("notes"))) {
    GTEST_SKIP() << "no symbolic links here";
  }
  EXPECT_TRUE(Extract(testing::FixturePath("tables_stored.cab")));
  EXPECT_EQ(ReadBytes(sandbox_.Path("outside.txt")), "outside");
  EXPECT_TRUE(fs::is_empty(sandbox_.Path("elsewhere")));
  EXPECT_FALSE(fs::is_symlink(InWork("member.xml")));
  EXPECT_EQ(ReadBytes(InWork("member.xml")), ReadBytes(testing::TablePath("member.xml")));
  EXPECT_TRUE(fs::is_symlink(InWork("notes")));  // left alone, and not written through
}

struct FailedFileCase {
  const char* what;
  std::string cabinet;
  std::vector<std::string> left;  // of member.xml, score.xml, stage.xml, all there before
};

TEST_F(DiskExtractionTest, AFileThatFailsLeavesNoFileUnderItsName) {
  const std::vector<CabinetMember> members = {
      {"member.xml", "<members/>"}, {"score.xml", "<scores/>"}, {"stage.xml", "<stages/>"}};
  const std::string whole = BuildCabinet(members);
  std::string mszipFlipped = ReadBytes(testing::FixturePath("tables_mszip.cab")).value();
  mszipFlipped[mszipFlipped.size() - 40] ^= 0x10;  // in the compressed data: a bad checksum
  const std::vector<FailedFileCase> cases = {
      {"cut inside score.xml",
       whole.substr(0, testing::MemberDataOffset(members, 1) + 3),
       {"member.xml"}},
      {"continued in a cabinet that is not there",
       BuildCabinet({{"member.xml", "<members/>"}, {"score.xml", "<scores/>"}}, {"backup2.cab"}),
       {"member.xml", "stage.xml"}},
      {"corrupt MSZIP data", mszipFlipped, {}},
  };
  for (const FailedFileCase& failed : cases) {
    for (const char* name : {"member.xml", "score.xml", "stage.xml"}) {
      WriteBytes(InWork(name), "an older table");
    }
    ExtractBytes(failed.cabinet);
    std::vector<std::string> left;
    for (const std::string& entry : ListTree(work())) {
      if (entry == "member.xml" || entry == "score.xml" || entry == "stage.xml") {
        left.push_back(entry);
      }
    }
    EXPECT_EQ(left, failed.left) << failed.what;
    for (const std::string& entry : left) {
      // Each file left is the older one (not in that cabinet) or a complete new one.
      const auto bytes = ReadBytes(InWork(entry));
      EXPECT_TRUE(bytes == "an older table" || bytes == "<members/>" ||
                  bytes == ReadBytes(testing::TablePath(entry)))
          << failed.what << ": " << entry;
    }
    ExpectContained();
    fs::remove_all(work());
    fs::create_directory(work());
  }
}

TEST_F(DiskExtractionTest, AFileClaimingMoreThanTheBoundStopsTheExtraction) {
  WriteBytes(InWork("member.xml"), "an older table");
  WriteBytes(InWork("score.xml"), "an older table");
  const std::vector<CabinetMember> members = {
      {"readme.txt", "fits"},
      {"score.xml", "<scores/>", 300u << 20},  // claims 300 MiB
      {"member.xml", "<members/>"}};
  EXPECT_TRUE(ExtractBytes(BuildCabinet(members)));
  EXPECT_EQ(ListTree(work()), std::vector<std::string>{"readme.txt"});
  ExpectContained();
}

}  // namespace
}  // namespace tvx
