#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tvx {

// The file in the working directory that remembers the cabinet chosen last.
inline constexpr const char* kRememberedPathFile = "tvxinfo.cst";

// The remembered cabinet path: the file's bytes up to the first zero byte, at
// most kMaxRememberedPathBytes of them. A chosen path is read back whole, so
// the update always runs on the path that was chosen. Nothing when the file is
// absent or does not open or read (a folder or a device of that name included).
inline constexpr std::size_t kMaxRememberedPathBytes = 32767;
std::optional<std::string> ReadRememberedPath(const std::string& workDir);

// Remembers cabPath: the file becomes exactly its bytes, replaced whole, so a
// crash or a full disk never leaves half a path. False when it could not be
// written; the file then holds what it held before.
bool WriteRememberedPath(const std::string& workDir, const std::string& cabPath);

}  // namespace tvx
