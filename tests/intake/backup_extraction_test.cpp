#include "backup_extraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sandbox.h"
#include "scripted_cabinet_iteration.h"
#include "work_paths.h"

namespace tvx {
namespace {

namespace fs = std::filesystem;
using testing::ListTree;
using testing::ReadBytes;
using testing::Sandbox;
using testing::ScriptedCabinetIteration;
using testing::ScriptedFile;
using testing::WriteBytes;

// The handler on a scripted iteration, in a sandbox whose root holds the
// working directory "work" and a file "outside.txt" that must never change.
class BackupExtractionTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(sandbox_.Path("outside.txt"), "outside"); }

  bool Extract(std::uint64_t maxExtractedBytes = kMaxExtractedBytes) {
    BackupExtraction extraction(sandbox_.work(), maxExtractedBytes);
    return iteration_.IterateCabinet("backup.cab", extraction);
  }

  std::string InWork(const std::string& name) const { return WorkPath(sandbox_.work(), name); }

  void ExpectOutsideUntouched() {
    EXPECT_EQ(ListTree(sandbox_.root()).front(), "outside.txt");
    EXPECT_EQ(ReadBytes(sandbox_.Path("outside.txt")), "outside");
    for (const std::string& entry : ListTree(sandbox_.root())) {
      EXPECT_TRUE(entry == "outside.txt" || entry == "work" || entry.starts_with("work/")) << entry;
      EXPECT_EQ(entry.find(".partial"), std::string::npos) << entry;
    }
  }

  Sandbox sandbox_;
  ScriptedCabinetIteration iteration_;
};

TEST_F(BackupExtractionTest, PlacesEachFileUnderItsStoredNameAndMakesItsFolders) {
  iteration_.files = {{"member.xml", "<members/>"},
                      {"notes\\today.txt", "steel reset"},
                      {"notes/2005\\june.txt", "june"},
                      {"empty.txt", ""}};
  EXPECT_TRUE(Extract());
  EXPECT_EQ(ListTree(sandbox_.work()),
            (std::vector<std::string>{"empty.txt", "member.xml", "notes", "notes/2005",
                                      "notes/2005/june.txt", "notes/today.txt"}));
  EXPECT_EQ(ReadBytes(InWork("member.xml")), "<members/>");
  EXPECT_EQ(ReadBytes(sandbox_.Path("work/notes/today.txt")), "steel reset");
  EXPECT_EQ(ReadBytes(sandbox_.Path("work/notes/2005/june.txt")), "june");
  EXPECT_EQ(ReadBytes(InWork("empty.txt")), "");
  ExpectOutsideUntouched();
}

TEST_F(BackupExtractionTest, NamesAFreshPartialFileInTheTargetFolder) {
  WriteBytes(InWork("member.xml"), "older");
  iteration_.files = {{"member.xml", "new"}, {"notes\\today.txt", "x"}};
  EXPECT_TRUE(Extract());
  ASSERT_EQ(iteration_.targets.size(), 2u);
  EXPECT_EQ(fs::path(iteration_.targets[0]).parent_path(), fs::path(sandbox_.work()));
  EXPECT_EQ(fs::path(iteration_.targets[1]).parent_path(), fs::path(sandbox_.Path("work/notes")));
  EXPECT_NE(iteration_.targets[0], InWork("member.xml"));
  EXPECT_EQ(ReadBytes(InWork("member.xml")), "new");
}

TEST_F(BackupExtractionTest, SkipsUnsafeNamesAndStillExtractsTheOthers) {
  iteration_.files = {{"..\\outside.txt", "evil"},
                      {"../outside.txt", "evil"},
                      {"\\outside.txt", "evil"},
                      {"C:\\outside.txt", "evil"},
                      {"notes\\..\\..\\outside.txt", "evil"},
                      {"", "evil"},
                      {"member.xml", "<members/>"},
                      {"NUL.xml", "evil"}};
  EXPECT_TRUE(Extract());
  EXPECT_EQ(ListTree(sandbox_.work()), std::vector<std::string>{"member.xml"});
  for (std::size_t i = 0; i < iteration_.files.size(); ++i) {
    EXPECT_EQ(iteration_.answers[i], i == 6 ? HandlerAnswer::kDoIt : HandlerAnswer::kSkip) << i;
  }
  ExpectOutsideUntouched();
}

struct BadOutcome {
  const char* what;
  ScriptedFile file;
};

TEST_F(BackupExtractionTest, AFileThatDidNotComeOutWholeLeavesNoFileUnderItsName) {
  const std::vector<BadOutcome> outcomes = {
      {"reported extracted but written empty", {"score.xml", "", 120}},
      {"reported extracted but written short", {"score.xml", "<sco", 120}},
      {"written longer than stated", {"score.xml", "<scores/>", 4}},
      {"reported failed", {"score.xml", "<scores/>", std::nullopt, 13}},
  };
  for (const BadOutcome& outcome : outcomes) {
    WriteBytes(InWork("score.xml"), "an older table");
    iteration_.files = {{"member.xml", "<members/>"}, outcome.file, {"stage.xml", "<stages/>"}};
    EXPECT_TRUE(Extract());
    EXPECT_EQ(ListTree(sandbox_.work()), (std::vector<std::string>{"member.xml", "stage.xml"}))
        << outcome.what;
    ExpectOutsideUntouched();
    fs::remove(InWork("member.xml"));
    fs::remove(InWork("stage.xml"));
  }
}

TEST_F(BackupExtractionTest, AnIterationThatStopsMidwayLeavesNoPartialFile) {
  WriteBytes(InWork("score.xml"), "an older table");
  iteration_.files = {{"member.xml", "<members/>"}, {"score.xml", "<sco"}};
  iteration_.stopAfterWriting = 1;
  EXPECT_FALSE(Extract());
  EXPECT_EQ(ListTree(sandbox_.work()), std::vector<std::string>{"member.xml"});
  ExpectOutsideUntouched();
}

TEST_F(BackupExtractionTest, StopsAtTheFileThatWouldPassTheBound) {
  for (const char* name : {"member.xml", "score.xml", "stage.xml"}) {
    WriteBytes(InWork(name), "an older table");
  }
  iteration_.files = {{"member.xml", std::string(40, 'm')},
                      {"score.xml", std::string(70, 's')},
                      {"stage.xml", std::string(10, 't')}};
  EXPECT_TRUE(Extract(100));
  EXPECT_EQ(ListTree(sandbox_.work()), std::vector<std::string>{"member.xml"});
  EXPECT_EQ(iteration_.answers,
            (std::vector<HandlerAnswer>{HandlerAnswer::kDoIt, HandlerAnswer::kSkip,
                                        HandlerAnswer::kSkip}));
}

TEST_F(BackupExtractionTest, TakesFilesUpToExactlyTheBound) {
  iteration_.files = {{"member.xml", std::string(40, 'm')}, {"score.xml", std::string(60, 's')}};
  EXPECT_TRUE(Extract(100));
  EXPECT_EQ(ListTree(sandbox_.work()), (std::vector<std::string>{"member.xml", "score.xml"}));
}

TEST_F(BackupExtractionTest, AFileClaimingGigabytesIsNotExtracted) {
  iteration_.files = {{"score.xml", "", std::uint64_t{3} << 30}, {"member.xml", "<members/>"}};
  EXPECT_TRUE(Extract());
  EXPECT_TRUE(iteration_.targets.empty());
  EXPECT_TRUE(ListTree(sandbox_.work()).empty());
}

TEST_F(BackupExtractionTest, ReplacesALinkUnderTheNameInsteadOfWritingThroughIt) {
  if (!testing::MakeLink(sandbox_.Path("outside.txt"), InWork("member.xml"))) {
    GTEST_SKIP() << "no symbolic links here";
  }
  iteration_.files = {{"member.xml", "<members/>"}};
  EXPECT_TRUE(Extract());
  EXPECT_FALSE(fs::is_symlink(InWork("member.xml")));
  EXPECT_EQ(ReadBytes(InWork("member.xml")), "<members/>");
  ExpectOutsideUntouched();
}

TEST_F(BackupExtractionTest, NeverWritesThroughALinkPlantedWhereAPartialFileWouldGo) {
  // The handler numbers its partial files "~tvx1.partial", "~tvx2.partial", ...
  for (int n = 1; n <= 5; ++n) {
    if (!testing::MakeLink(sandbox_.Path("outside.txt"),
                           InWork("~tvx" + std::to_string(n) + ".partial"))) {
      GTEST_SKIP() << "no symbolic links here";
    }
  }
  iteration_.files = {{"member.xml", "<members/>"}};
  EXPECT_TRUE(Extract());
  EXPECT_EQ(ReadBytes(InWork("member.xml")), "<members/>");
  EXPECT_EQ(ReadBytes(sandbox_.Path("outside.txt")), "outside");
  EXPECT_EQ(ListTree(sandbox_.work()).size(), 6u);  // the five links and member.xml
}

TEST_F(BackupExtractionTest, NeverWritesThroughAFolderThatIsALink) {
  fs::create_directory(sandbox_.Path("elsewhere"));
  if (!testing::MakeLink(sandbox_.Path("elsewhere"), InWork("notes"))) {
    GTEST_SKIP() << "no symbolic links here";
  }
  iteration_.files = {{"notes\\today.txt", "x"}, {"member.xml", "<members/>"}};
  EXPECT_TRUE(Extract());
  EXPECT_TRUE(fs::is_empty(sandbox_.Path("elsewhere")));
  EXPECT_EQ(iteration_.answers[0], HandlerAnswer::kSkip);
  EXPECT_EQ(ReadBytes(InWork("member.xml")), "<members/>");
}

TEST_F(BackupExtractionTest, SkipsAFileWhoseFolderPartIsAFile) {
  WriteBytes(InWork("notes"), "a file");
  iteration_.files = {{"notes\\today.txt", "x"}};
  EXPECT_TRUE(Extract());
  EXPECT_EQ(ReadBytes(InWork("notes")), "a file");
  EXPECT_EQ(iteration_.answers[0], HandlerAnswer::kSkip);
}

TEST_F(BackupExtractionTest, LeavesAFolderUnderAFailedFilesName) {
  fs::create_directory(InWork("score.xml"));
  WriteBytes(sandbox_.Path("work/score.xml/kept.txt"), "kept");
  iteration_.files = {{"score.xml", "<scores/>"}};
  EXPECT_TRUE(Extract());
  EXPECT_EQ(ListTree(sandbox_.work()),
            (std::vector<std::string>{"score.xml", "score.xml/kept.txt"}));
}

TEST_F(BackupExtractionTest, AnswersEveryOtherNotificationWithNoError) {
  BackupExtraction extraction(sandbox_.work());
  CabinetNotification info = CabinetInfo{"backup.cab", "", 1, 0};
  CabinetNotification next = NeedNewCabinet{CabinetInfo{"backup2.cab", "disk 2", 1, 1}};
  CabinetNotification stray = FileExtracted{InWork("member.xml"), 0};
  EXPECT_EQ(extraction.HandleCabinetNotification(info), HandlerAnswer::kNoError);
  EXPECT_EQ(extraction.HandleCabinetNotification(next), HandlerAnswer::kNoError);
  EXPECT_EQ(extraction.HandleCabinetNotification(stray), HandlerAnswer::kNoError);
  EXPECT_TRUE(ListTree(sandbox_.work()).empty());
}

}  // namespace
}  // namespace tvx
