#pragma once

#include <string>
#include <string_view>

namespace tvx {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A file in the working directory: workDir, one separator, the name. The
// directory is used as it stands, so one that ends in a separator gives two.
inline std::string WorkPath(std::string_view workDir, std::string_view fileName) {
  std::string path;
  path.reserve(workDir.size() + 1 + fileName.size());
  path.append(workDir);
  path.push_back(kPathSeparator);
  path.append(fileName);
  return path;
}

}  // namespace tvx
