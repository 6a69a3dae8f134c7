#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tvx::testing {

// A fresh folder for one test, removed with everything in it afterwards (links
// are removed, never followed). It holds the working directory "work" and,
// beside it, whatever a test places outside the working directory.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::string& root() const { return root_; }
  const std::string& work() const { return work_; }
  // A path below the root, parts joined with the platform's separator.
  std::string Path(const std::string& relative) const;

 private:
  std::string root_;
  std::string work_;
};

// Every entry below folder, sorted, as relative paths with "/" between parts;
// links are listed and not followed.
std::vector<std::string> ListTree(const std::string& folder);

std::optional<std::string> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Makes a symbolic link; false where the system does not allow one.
bool MakeLink(const std::string& target, const std::string& link);

// The test input folders: the committed cabinets, the shared cabinet corpus.
std::string FixturePath(const std::string& name);
std::string TablePath(const std::string& name);
std::string CorpusFolder();

}  // namespace tvx::testing
