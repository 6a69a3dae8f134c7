#include "mspack_cabinet_iteration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cabinet_builder.h"
#include "sandbox.h"
#include "work_paths.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tvx {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::Sandbox;
using testing::WriteBytes;

const std::vector<std::string> kFixtureTables = {
    "member.xml", "score.xml", "enrolled.xml", "stage.xml",    "classify.xml", "club.xml",
    "squad.xml",  "tag.xml",   "team.xml",     "thematch.xml", "readme.txt"};

// Names a fresh numbered file in one folder for every file and writes down
// every notification: "cabinet", "next NAME", "file NAME SIZE", "ok NAME" or
// "failed NAME".
class RecordingHandler : public CabinetNotificationHandler {
 public:
  explicit RecordingHandler(std::string folder) : folder_(std::move(folder)) {}

  HandlerAnswer HandleCabinetNotification(CabinetNotification& notification) override {
    if (std::holds_alternative<CabinetInfo>(notification)) {
      log.push_back("cabinet");
    } else if (const auto* next = std::get_if<NeedNewCabinet>(&notification)) {
      log.push_back("next " + next->next.cabinetFile);
    } else if (auto* file = std::get_if<FileInCabinet>(&notification)) {
      log.push_back("file " + file->nameInCabinet + " " + std::to_string(file->fileSize));
      if (skip.contains(file->nameInCabinet)) {
        return HandlerAnswer::kSkip;
      }
      if (abortAt == file->nameInCabinet) {
        return HandlerAnswer::kAbort;
      }
      file->fullTargetName = WorkPath(folder_, std::to_string(targets.size()));
      WriteBytes(file->fullTargetName, "");
      targets[file->nameInCabinet] = file->fullTargetName;
      return HandlerAnswer::kDoIt;
    } else if (const auto* extracted = std::get_if<FileExtracted>(&notification)) {
      const std::string name = NameOf(extracted->target);
      log.push_back((extracted->errorCode == 0 ? "ok " : "failed ") + name);
      succeeded[name] = extracted->errorCode == 0;
    }
    return HandlerAnswer::kNoError;
  }

  std::vector<std::string> log;
  std::map<std::string, std::string> targets;  // stored name to target
  std::map<std::string, bool> succeeded;
  std::set<std::string> skip;
  std::string abortAt;

 private:
  std::string NameOf(const std::string& target) const {
    for (const auto& [name, path] : targets) {
      if (path == target) {
        return name;
      }
    }
    return "?";
  }

  std::string folder_;
};

// The table file below tests/intake/cabinets/tables/ that a stored name holds.
std::string TableOf(const std::string& storedName) {
  return storedName == "notes\\today.txt" ? "notes/today.txt" : storedName;
}

std::vector<std::string> ExpectedLog(const std::vector<std::string>& names) {
  std::vector<std::string> log = {"cabinet"};
  for (const std::string& name : names) {
    log.push_back("file " + name + " " +
                  std::to_string(fs::file_size(testing::TablePath(TableOf(name)))));
    log.push_back("ok " + name);
  }
  return log;
}

TEST(MspackCabinetIteration, ReportsEveryFileAndWritesItsBytesIntoTheNamedTarget) {
  std::vector<std::string> withFolder = kFixtureTables;
  withFolder.push_back("notes\\today.txt");
  const std::vector<std::pair<const char*, std::vector<std::string>>> cabinets = {
      {"tables_mszip.cab", kFixtureTables}, {"tables_stored.cab", withFolder}};
  for (const auto& [cabinet, names] : cabinets) {
    Sandbox sandbox;
    RecordingHandler handler(sandbox.work());
    EXPECT_TRUE(MspackCabinetIteration().IterateCabinet(testing::FixturePath(cabinet), handler));
    EXPECT_EQ(handler.log, ExpectedLog(names)) << cabinet;
    for (const std::string& name : names) {
      EXPECT_EQ(ReadBytes(handler.targets[name]), ReadBytes(testing::TablePath(TableOf(name))))
          << name;
    }
    EXPECT_EQ(testing::ListTree(sandbox.work()).size(), names.size());
  }
}

TEST(MspackCabinetIteration, WritesNothingForASkippedFileAndStopsWhenAborted) {
  Sandbox sandbox;
  RecordingHandler handler(sandbox.work());
  handler.skip = {"score.xml"};
  handler.abortAt = "stage.xml";
  EXPECT_FALSE(
      MspackCabinetIteration().IterateCabinet(testing::FixturePath("tables_mszip.cab"), handler));
  EXPECT_EQ(handler.log,
            (std::vector<std::string>{"cabinet", "file member.xml 386", "ok member.xml",
                                      "file score.xml 478", "file enrolled.xml 358",
                                      "ok enrolled.xml", "file stage.xml 320"}));
  EXPECT_EQ(handler.targets.count("score.xml"), 0u);
}

TEST(MspackCabinetIteration, ReadsNothingThatIsNotACabinet) {
  Sandbox sandbox;
  const std::string cabinet = ReadBytes(testing::FixturePath("tables_mszip.cab")).value();
  WriteBytes(sandbox.Path("text.cab"), "member.xml\r\nscore.xml\r\n");
  WriteBytes(sandbox.Path("empty.cab"), "");
  WriteBytes(sandbox.Path("header.cab"), cabinet.substr(0, 20));
  fs::create_directory(sandbox.Path("folder.cab"));
  std::vector<std::string> paths = {sandbox.Path("missing.cab"),      "",
                                    sandbox.Path("folder.cab"),       sandbox.Path("text.cab"),
                                    sandbox.Path("empty.cab"),        sandbox.Path("header.cab"),
                                    "c:\\Program Files\\Tarvix\\back"};
#ifndef _WIN32
  // Opening a pipe would wait for a writer that never comes.
  ASSERT_EQ(mkfifo(sandbox.Path("pipe.cab").c_str(), 0600), 0);
  paths.push_back(sandbox.Path("pipe.cab"));
#endif
  for (const std::string& path : paths) {
    RecordingHandler handler(sandbox.work());
    EXPECT_FALSE(MspackCabinetIteration().IterateCabinet(path, handler)) << path;
    EXPECT_TRUE(handler.log.empty()) << path;
  }
  EXPECT_TRUE(testing::ListTree(sandbox.work()).empty());
}

TEST(MspackCabinetIteration, FailsTheFileThatWouldPassTheBoundOnBytesWritten) {
  Sandbox sandbox;
  RecordingHandler handler(sandbox.work());
  EXPECT_TRUE(MspackCabinetIteration(1000).IterateCabinet(testing::FixturePath("tables_mszip.cab"),
                                                          handler));
  // member.xml (386) and score.xml (478) fit; enrolled.xml (358) would pass 1000.
  EXPECT_TRUE(handler.succeeded["member.xml"]);
  EXPECT_TRUE(handler.succeeded["score.xml"]);
  EXPECT_FALSE(handler.succeeded["enrolled.xml"]);
  std::uintmax_t written = 0;
  for (const auto& [name, target] : handler.targets) {
    written += fs::file_size(target);
    if (!handler.succeeded[name]) {
      EXPECT_EQ(fs::file_size(target), 0u) << name;
    }
  }
  EXPECT_LE(written, 1000u);
}

TEST(MspackCabinetIteration, BoundsTheBytesDecodedToReachAndUnpackFiles) {
  std::uintmax_t allTables = 0;
  for (const std::string& name : kFixtureTables) {
    allTables += fs::file_size(testing::TablePath(name));
  }
  {
    // In order, each byte of the folder is decoded once.
    Sandbox sandbox;
    RecordingHandler handler(sandbox.work());
    EXPECT_TRUE(MspackCabinetIteration(kMaxExtractedBytes, allTables)
                    .IterateCabinet(testing::FixturePath("tables_mszip.cab"), handler));
    EXPECT_EQ(handler.log, ExpectedLog(kFixtureTables));
  }
  {
    // Skipping member.xml still costs decoding it to reach score.xml.
    Sandbox sandbox;
    RecordingHandler handler(sandbox.work());
    handler.skip = {"member.xml"};
    EXPECT_TRUE(MspackCabinetIteration(kMaxExtractedBytes, 700)
                    .IterateCabinet(testing::FixturePath("tables_mszip.cab"), handler));
    EXPECT_FALSE(handler.succeeded["score.xml"]);
    EXPECT_EQ(fs::file_size(handler.targets["score.xml"]), 0u);
  }
}

TEST(MspackCabinetIteration, NeverChasesTheNextCabinetOfASet) {
  Sandbox sandbox;
  const std::vector<testing::CabinetMember> members = {{"member.xml", "<members/>"},
                                                       {"score.xml", "<scores/>"}};
  WriteBytes(sandbox.Path("backup.cab"), testing::BuildCabinet(members, {"backup2.cab"}));
  // Even where the next cabinet lies beside it.
  WriteBytes(sandbox.Path("backup2.cab"),
             ReadBytes(testing::FixturePath("tables_stored.cab")).value());
  RecordingHandler handler(sandbox.work());
  EXPECT_TRUE(MspackCabinetIteration().IterateCabinet(sandbox.Path("backup.cab"), handler));
  EXPECT_EQ(handler.log,
            (std::vector<std::string>{"cabinet", "next backup2.cab", "file member.xml 10",
                                      "ok member.xml", "file score.xml 9", "failed score.xml"}));
  EXPECT_EQ(ReadBytes(handler.targets["member.xml"]), "<members/>");
}

}  // namespace
}  // namespace tvx
