#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "disk_intake.h"
#include "sandbox.h"
#include "scoped_env.h"
#include "work_paths.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tvx {
namespace {

namespace fs = std::filesystem;
using testing::Sandbox;
using testing::ScopedEnv;

TEST(WorkingDirectory, IsTempWholeHoweverLong) {
  const std::string longTemp = "/var/tmp/" + std::string(300, 't');
  ScopedEnv temp("TEMP", longTemp);
  EXPECT_EQ(DiskIntake().WorkingDirectory(), longTemp);
}

TEST(WorkingDirectory, KeepsASeparatorAtTheEndSoPathsGetTwo) {
  Sandbox sandbox;
  const std::string withSeparator = sandbox.work() + kPathSeparator;
  ScopedEnv temp("TEMP", withSeparator);
  DiskIntake intake;
  const auto workDir = intake.WorkingDirectory();
  ASSERT_EQ(workDir, withSeparator);
  const std::string path = WorkPath(*workDir, "tvxinfo.cst");
  EXPECT_EQ(path, sandbox.work() + kPathSeparator + kPathSeparator + "tvxinfo.cst");
  testing::WriteBytes(path, "c:\\a.cab");
  EXPECT_EQ(intake.ReadRememberedPath(*workDir), "c:\\a.cab");
}

#ifndef _WIN32

// Without TEMP the working directory is a private folder below TMPDIR.
class PrivateWorkFolderTest : public ::testing::Test {
 protected:
  Sandbox sandbox_;
  ScopedEnv tmpdir_{"TMPDIR", sandbox_.root()};
  std::string expected_ = WorkPath(sandbox_.root(), "tvx-status-" + std::to_string(geteuid()));
};

TEST_F(PrivateWorkFolderTest, IsMadeOwnerOnlyWhenTempIsUnsetOrEmpty) {
  for (const std::optional<std::string>& tempValue :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    ScopedEnv temp("TEMP", tempValue);
    EXPECT_EQ(DiskIntake().WorkingDirectory(), expected_);
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(expected_)));
    EXPECT_EQ(fs::status(expected_).permissions(), fs::perms::owner_all);
    // Taken as it is the next time.
    EXPECT_EQ(DiskIntake().WorkingDirectory(), expected_);
  }
}

TEST_F(PrivateWorkFolderTest, IsNotUsedWhenItIsALink) {
  ScopedEnv temp("TEMP", std::nullopt);
  fs::create_directory(sandbox_.Path("elsewhere"));
  if (!testing::MakeLink(sandbox_.Path("elsewhere"), expected_)) {
    GTEST_SKIP() << "no symbolic links here";
  }
  EXPECT_EQ(DiskIntake().WorkingDirectory(), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(expected_));
  EXPECT_TRUE(fs::is_empty(sandbox_.Path("elsewhere")));
}

TEST_F(PrivateWorkFolderTest, IsNotUsedWhenItIsSomeoneElses) {
  if (geteuid() != 0) {
    GTEST_SKIP() << "only root can give a folder to another user";
  }
  ScopedEnv temp("TEMP", std::nullopt);
  fs::create_directory(expected_);
  ASSERT_EQ(chown(expected_.c_str(), 4242, 4242), 0);
  EXPECT_EQ(DiskIntake().WorkingDirectory(), std::nullopt);
}

TEST_F(PrivateWorkFolderTest, IsNotUsedWhenAFileHasItsName) {
  ScopedEnv temp("TEMP", std::nullopt);
  testing::WriteBytes(expected_, "not a folder");
  EXPECT_EQ(DiskIntake().WorkingDirectory(), std::nullopt);
}

#endif

}  // namespace
}  // namespace tvx
