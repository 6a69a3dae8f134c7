#include "stored_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tvx {
namespace {

struct AcceptedName {
  std::string name;
  std::vector<std::string> parts;
};

TEST(SplitStoredName, SplitsAtBackslashesAndSlashes) {
  const std::vector<AcceptedName> cases = {
      {"member.xml", {"member.xml"}},
      {"notes\\today.txt", {"notes", "today.txt"}},
      {"a/b\\c.txt", {"a", "b", "c.txt"}},
      {".hidden", {".hidden"}},
      {"a..b", {"a..b"}},
      {"name with blanks.txt", {"name with blanks.txt"}},
      {"\xE9t\xE9.xml", {"\xE9t\xE9.xml"}},            // code page bytes stay as they are
      {"\xC0\xAF..\xC0\xAF", {"\xC0\xAF..\xC0\xAF"}},  // an overlong "/" is no separator
      {"console.xml", {"console.xml"}},
      {"COM10.txt", {"COM10.txt"}},
      {"nullable\\LPT.txt", {"nullable", "LPT.txt"}},
      {std::string(255, 'x'), {std::string(255, 'x')}},
      {".\\member.xml", {"member.xml"}},  // as gcab stores "./member.xml"
      {"a\\.\\b.txt", {"a", "b.txt"}},
  };
  for (const AcceptedName& accepted : cases) {
    const auto parts = SplitStoredName(accepted.name);
    ASSERT_TRUE(parts.has_value()) << accepted.name;
    EXPECT_EQ(*parts, accepted.parts) << accepted.name;
  }
}

TEST(SplitStoredName, RefusesNamesThatLeaveTheWorkingDirectoryOrAreNotPlain) {
  const std::vector<std::string> refused = {
      "",
      "\\",
      "/",
      "\\evil.txt",
      "/etc/passwd",
      "\\\\server\\share\\evil.txt",
      "C:\\evil.txt",
      "c:evil.txt",
      "member.xml:stream",
      "..",
      ".",
      "..\\evil.txt",
      "../evil.txt",
      "a\\..\\..\\evil.txt",
      ".\\",
      ".\\.",
      "a\\",
      "a\\\\b.txt",
      "a//b.txt",
      "...",
      ".. \\evil.txt",
      "evil.",
      "evil ",
      "CON",
      "nul.txt",
      "Aux.xml",
      "com1",
      "LPT9.log",
      "COM\xB9.txt",
      "NUL .txt",
      "a\\con\\b.txt",
      "CONIN$",
  };
  for (const std::string& name : refused) {
    EXPECT_FALSE(SplitStoredName(name).has_value()) << name;
  }
}

}  // namespace
}  // namespace tvx
