#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace tvx {

// The few file operations that differ between Windows and the POSIX systems.

// The working directory when TEMP gives none. On Windows the user's temporary
// folder; elsewhere a folder of this user's below the system's temporary
// directory (TMPDIR, else /tmp), made owner-only when missing. Nothing when it
// cannot be had, or when what lies under its name is not a real folder of this
// user's (a link, or someone else's folder).
std::optional<std::string> PrivateWorkFolder();

// Whether path names a real folder, not a link to one, that belongs to this
// user. A folder of someone else's could be changed under our feet.
bool IsOwnRealFolder(const std::string& path);

// Our paths are narrow strings in the system's own encoding: on Windows the
// ANSI code page, which the C library and the ...A calls read them in. MinGW's
// std::filesystem reads a narrow string otherwise, so every path goes to it
// through here. On Windows a path that is not valid in the code page becomes
// the empty path, on which every operation fails.
std::filesystem::path FileSystemPath(const std::string& path);

// Makes a new file and opens it for writing bytes; nothing when any entry,
// a link included, already has the name. (Windows's C library does not know
// fopen's "x".)
std::FILE* CreateNewFile(const std::string& path);

// Puts what was written to file on the disk, so that a crash after a rename
// cannot leave the new name on a half-written file. False when it failed.
bool SyncToDisk(std::FILE* file);

}  // namespace tvx
