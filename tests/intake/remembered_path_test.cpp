#include "remembered_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sandbox.h"
#include "work_paths.h"

namespace tvx {
namespace {

using testing::ReadBytes;
using testing::Sandbox;
using testing::WriteBytes;

struct RememberedCase {
  const char* what;
  std::optional<std::string> fileBytes;  // nothing: no file
  std::optional<std::string> path;
};

TEST(ReadRememberedPath, TakesTheBytesUpToTheFirstZeroByte) {
  const std::string longPath = "c:\\backups\\" + std::string(290, 'b') + "\\Tarvix.cab";
  const std::vector<RememberedCase> cases = {
      {"absent", std::nullopt, std::nullopt},
      {"empty", std::string(), std::string()},
      {"a path", "c:\\backups\\Tarvix.cab", "c:\\backups\\Tarvix.cab"},
      {"longer than 256 bytes, read whole", longPath, longPath},
      {"a zero byte inside", std::string("c:\\a.cab\0c:\\b.cab", 17), "c:\\a.cab"},
      {"a zero byte first", std::string("\0c:\\a.cab", 9), std::string()},
      {"longer than the read", std::string(40000, 'p'), std::string(32767, 'p')},
  };
  for (const RememberedCase& rememberedCase : cases) {
    Sandbox sandbox;
    if (rememberedCase.fileBytes) {
      WriteBytes(WorkPath(sandbox.work(), "tvxinfo.cst"), *rememberedCase.fileBytes);
    }
    EXPECT_EQ(ReadRememberedPath(sandbox.work()), rememberedCase.path) << rememberedCase.what;
  }
}

TEST(ReadRememberedPath, GivesNothingForAFolderOfThatName) {
  Sandbox sandbox;
  std::filesystem::create_directory(WorkPath(sandbox.work(), "tvxinfo.cst"));
  EXPECT_EQ(ReadRememberedPath(sandbox.work()), std::nullopt);
}

TEST(WriteRememberedPath, WritesThePathsBytesAndNothingElse) {
  for (const std::string& path : {std::string("c:\\backups\\Tarvix.cab"), std::string(),
                                  "c:\\" + std::string(300, 'x') + ".cab"}) {
    Sandbox sandbox;
    // A longer older path must not leave its tail behind.
    WriteBytes(WorkPath(sandbox.work(), "tvxinfo.cst"), std::string(400, 'o'));
    ASSERT_TRUE(WriteRememberedPath(sandbox.work(), path));
    EXPECT_EQ(ReadBytes(WorkPath(sandbox.work(), "tvxinfo.cst")), path);
    EXPECT_EQ(ReadRememberedPath(sandbox.work()), path);
    EXPECT_EQ(testing::ListTree(sandbox.work()), std::vector<std::string>{"tvxinfo.cst"});
  }
}

TEST(WriteRememberedPath, ReplacesALinkInsteadOfWritingThroughIt) {
  Sandbox sandbox;
  const std::string outside = sandbox.Path("outside.txt");
  WriteBytes(outside, "keep");
  const std::string remembered = WorkPath(sandbox.work(), "tvxinfo.cst");
  const std::string partial = remembered + ".partial";
  if (!testing::MakeLink(outside, remembered) || !testing::MakeLink(outside, partial)) {
    GTEST_SKIP() << "no symbolic links here";
  }
  ASSERT_TRUE(WriteRememberedPath(sandbox.work(), "c:\\a.cab"));
  EXPECT_EQ(ReadBytes(outside), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink(remembered));
  EXPECT_EQ(ReadBytes(remembered), "c:\\a.cab");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(partial)));
}

TEST(WriteRememberedPath, FailsWithoutTouchingTheOldFileWhenItCannotWrite) {
  Sandbox sandbox;
  EXPECT_FALSE(WriteRememberedPath(sandbox.Path("missing"), "c:\\a.cab"));
  EXPECT_FALSE(std::filesystem::exists(sandbox.Path("missing")));

  // A folder under the name cannot be replaced by a file.
  std::filesystem::create_directory(WorkPath(sandbox.work(), "tvxinfo.cst"));
  EXPECT_FALSE(WriteRememberedPath(sandbox.work(), "c:\\a.cab"));
  EXPECT_TRUE(std::filesystem::is_directory(WorkPath(sandbox.work(), "tvxinfo.cst")));
  EXPECT_EQ(testing::ListTree(sandbox.work()), std::vector<std::string>{"tvxinfo.cst"});
}

}  // namespace
}  // namespace tvx
