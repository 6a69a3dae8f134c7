#include "extraction_checks.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tvx::testing {

void ExpectContained(const Sandbox& sandbox, const std::map<std::string, std::string>& beside) {
  namespace fs = std::filesystem;
  for (const std::string& entry : ListTree(sandbox.root())) {
    if (const auto found = beside.find(entry); found != beside.end()) {
      EXPECT_EQ(ReadBytes(sandbox.Path(entry)), found->second) << entry;
      continue;
    }
    EXPECT_TRUE(entry == "work" || entry.starts_with("work/")) << "outside: " << entry;
    EXPECT_EQ(entry.find(".partial"), std::string::npos) << entry;
    EXPECT_FALSE(fs::is_symlink(sandbox.Path(entry))) << entry;
  }
}

}  // namespace tvx::testing
