#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tvx {

// The parts of a file name as the cabinet stores it, split at backslashes and
// slashes: folders below the working directory, then the file's own name.
// Nothing when the name cannot be placed safely and alike on every platform
// below the working directory:
// - an empty name, or one with an empty part (a leading separator makes it
//   absolute, a trailing one names a folder; UNC prefixes are both);
// - a part "..", or any other part that ends in a dot or a blank, which
//   Windows would shorten (".. " becomes ".."); a part "." stands for the
//   folder it is in and is dropped, but a name of nothing else is refused;
// - a colon anywhere (a drive letter, or a Windows stream of another file);
// - a Windows device name (CON, NUL, COM1, ...), with or without an extension.
// Other bytes are kept as they are; a name the file system refuses simply
// fails to extract.
std::optional<std::vector<std::string>> SplitStoredName(std::string_view name);

}  // namespace tvx
