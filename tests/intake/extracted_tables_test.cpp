#include "extracted_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sandbox.h"
#include "work_paths.h"

namespace tvx {
namespace {

using testing::ListTree;
using testing::Sandbox;

struct RemovalCase {
  const char* what;
  std::vector<std::string> present;  // files placed in the working directory
  std::vector<std::string> left;     // what the removal leaves, sorted
};

std::vector<std::string> AllTablesBut(const std::string& missing) {
  std::vector<std::string> tables;
  for (const char* table : kExtractedTables) {
    if (table != missing) {
      tables.emplace_back(table);
    }
  }
  return tables;
}

TEST(DeleteExtractedTables, DeletesInOrderUntilTheFirstDeleteFails) {
  const std::vector<RemovalCase> cases = {
      {"all ten and other files",
       {"member.xml", "score.xml", "enrolled.xml", "stage.xml", "classify.xml", "club.xml",
        "squad.xml", "tag.xml", "team.xml", "thematch.xml", "readme.txt", "tvxinfo.cst",
        "tvxprint.txt"},
       {"readme.txt", "tvxinfo.cst", "tvxprint.txt"}},
      {"no classify.xml",
       AllTablesBut("classify.xml"),
       {"club.xml", "squad.xml", "tag.xml", "team.xml", "thematch.xml"}},
      {"no member.xml",
       AllTablesBut("member.xml"),
       {"classify.xml", "club.xml", "enrolled.xml", "score.xml", "squad.xml", "stage.xml",
        "tag.xml", "team.xml", "thematch.xml"}},
      {"no thematch.xml", AllTablesBut("thematch.xml"), {}},
      {"nothing there", {}, {}},
  };
  for (const RemovalCase& removal : cases) {
    Sandbox sandbox;
    for (const std::string& name : removal.present) {
      testing::WriteBytes(WorkPath(sandbox.work(), name), name);
    }
    DeleteExtractedTables(sandbox.work());
    EXPECT_EQ(ListTree(sandbox.work()), removal.left) << removal.what;
  }
}

TEST(DeleteExtractedTables, StopsAtAFolderWithATablesName) {
  Sandbox sandbox;
  for (const char* table : kExtractedTables) {
    testing::WriteBytes(WorkPath(sandbox.work(), table), table);
  }
  std::filesystem::remove(WorkPath(sandbox.work(), "member.xml"));
  std::filesystem::create_directory(WorkPath(sandbox.work(), "member.xml"));
  DeleteExtractedTables(sandbox.work());
  EXPECT_TRUE(std::filesystem::is_directory(WorkPath(sandbox.work(), "member.xml")));
  EXPECT_EQ(ListTree(sandbox.work()).size(), 10u);
}

}  // namespace
}  // namespace tvx
