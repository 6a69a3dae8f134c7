#pragma once

// Helpers shared by the engine's and the command's tests: a scratch folder, an
// intake that does nothing on the disk but what a test asks of it, a window that
// records its transfers, and the small four-stage match of the report's example.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "backup_intake.h"
#include "window_texts.h"

namespace tvx::test {

// A fresh folder in the system's temporary directory, removed with all it holds
// when the test ends.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    for (;;) {
      path_ = std::filesystem::temp_directory_path() /
              ("tvx-etest-" + std::to_string(random()) + "-" + std::to_string(random()));
      if (std::filesystem::create_directory(path_)) {
        break;
      }
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string str() const { return path_.string(); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream file(path_ / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << name;
  }

 private:
  std::filesystem::path path_;
};

// The intake of a test: the working directory and the remembered path are what
// the test sets, the extraction writes the test's files (or nothing), and the
// deletion is only recorded, so the tables stay for the test to look at.
class FakeIntake : public BackupIntake {
 public:
  std::optional<std::string> workDir;
  std::optional<std::string> remembered;
  std::map<std::string, std::string> cabinetFiles;

  struct ExtractCall {
    std::string cabPath;
    std::string workDir;
  };
  std::vector<ExtractCall> extractCalls;
  std::vector<std::string> deleteCalls;

  std::optional<std::string> WorkingDirectory() override { return workDir; }
  std::optional<std::string> ReadRememberedPath(const std::string&) override { return remembered; }
  bool ExtractBackup(const std::string& cabPath, const std::string& dir) override {
    extractCalls.push_back({cabPath, dir});
    for (const auto& [name, bytes] : cabinetFiles) {
      std::ofstream file(std::filesystem::path(dir) / name, std::ios::binary | std::ios::trunc);
      file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return !cabinetFiles.empty();
  }
  void DeleteExtractedTables(const std::string& dir) override { deleteCalls.push_back(dir); }
};

// A window that keeps the status text of every push.
class RecordingWindow : public WindowPort {
 public:
  explicit RecordingWindow(const WindowTexts& texts) : texts_(texts) {}
  void PushTexts() override { pushedStatus.push_back(texts_.m_statusText); }
  void PullTexts() override { ++pulls; }

  std::vector<std::string> pushedStatus;
  int pulls = 0;

 private:
  const WindowTexts& texts_;
};

// One score record: the piece with the stage and the member, a piece of hits,
// and the sheet's piece, which holds "LastModify=" once the sheet is final.
inline std::string ScoreRecord(int stage, int member, bool final) {
  return "<Score StageId='" + std::to_string(stage) + "' MemberId='" + std::to_string(member) +
         "' />\r\n" + "  <Hits A='5' C='1' />\r\n" +
         (final ? "  <Sheet LastModify='2005-06-04 10:00' />\r\n" : "  <Sheet />\r\n");
}

// A match of four stages and competitors 1 to 3: competitor 1 has shot every
// stage, competitor 2 (Test Shooter) stages 1 and 3, competitor 3 none.
inline const char kFourStageMember[] =
    "<?xml version='1.0' encoding='windows-1252'?>\r\n"
    "<Member MemberId='201' Lastname='Winner' Firstname='Ada' />\r\n"
    "<Member MemberId='202' Lastname='Shooter' Firstname='Test' />\r\n"
    "<Member MemberId='203' Lastname='Late' Firstname='Bob' />\r\n";
inline const char kFourStageEnrolled[] =
    "<?xml version='1.0' encoding='windows-1252'?>\r\n"
    "<Enrolled CompId='1' MemberId='201' />\r\n"
    "  <Status DisqId='False' />\r\n"
    "<Enrolled CompId='2' MemberId='202' />\r\n"
    "  <Status DisqId='False' />\r\n"
    "<Enrolled CompId='3' MemberId='203' />\r\n"
    "  <Status DisqId='False' />\r\n";
inline const char kFourStageStage[] =
    "<?xml version='1.0' encoding='windows-1252'?>\r\n"
    "<Stage StageId='1' StageName='Alpha' />\r\n"
    "  <Status RemoveId='False' />\r\n"
    "<Stage StageId='2' StageName='Bravo' />\r\n"
    "  <Status RemoveId='False' />\r\n"
    "<Stage StageId='3' StageName='Charlie' />\r\n"
    "  <Status RemoveId='False' />\r\n"
    "<Stage StageId='4' StageName='Delta' />\r\n"
    "  <Status RemoveId='False' />\r\n";
inline std::string FourStageScore() {
  return "<?xml version='1.0' encoding='windows-1252'?>\r\n" + ScoreRecord(1, 201, true) +
         ScoreRecord(2, 201, true) + ScoreRecord(3, 201, true) + ScoreRecord(4, 201, true) +
         ScoreRecord(1, 202, true) + ScoreRecord(3, 202, true);
}

inline std::map<std::string, std::string> FourStageTables() {
  return {{"member.xml", kFourStageMember},
          {"score.xml", FourStageScore()},
          {"enrolled.xml", kFourStageEnrolled},
          {"stage.xml", kFourStageStage}};
}

inline const char kFourStageStatus[] = "  2 Test Shooter             (2,4)\r\n";
inline const char* const kFourStageTexts[] = {"Stage  1    1", "Stage  2    2", "Stage  3    1",
                                              "Stage  4    2"};

}  // namespace tvx::test
