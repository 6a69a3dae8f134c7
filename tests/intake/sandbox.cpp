#include "sandbox.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

#include "work_paths.h"

namespace tvx::testing {

namespace fs = std::filesystem;

Sandbox::Sandbox() {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = base / ("tvx-intake-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      root_ = candidate.string();
      work_ = WorkPath(root_, "work");
      fs::create_directory(work_);
      return;
    }
  }
  throw std::runtime_error("no sandbox folder could be made");
}

Sandbox::~Sandbox() {
  std::error_code error;
  fs::remove_all(root_, error);
}

std::string Sandbox::Path(const std::string& relative) const {
  std::string path = root_;
  path += kPathSeparator;
  for (char c : relative) {
    path += (c == '/') ? kPathSeparator : c;
  }
  return path;
}

std::vector<std::string> ListTree(const std::string& folder) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    entries.push_back(entry.path().lexically_relative(folder).generic_string());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
}

bool MakeLink(const std::string& target, const std::string& link) {
  std::error_code error;
  fs::create_symlink(target, link, error);
  return !error;
}

std::string FixturePath(const std::string& name) {
  return std::string(TVX_SOURCE_DIR) + "/tests/intake/cabinets/" + name;
}

std::string TablePath(const std::string& name) {
  return std::string(TVX_SOURCE_DIR) + "/tests/intake/cabinets/tables/" + name;
}

std::string CorpusFolder() {
  return std::string(TVX_SHARED_DIR) + "/testdata/cabinets";
}

}  // namespace tvx::testing
