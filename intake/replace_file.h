#pragma once

#include <string>
#include <string_view>

namespace tvx {

// Replaces the file at `path` with exactly `bytes`: they are written to a new
// file beside it, which is then renamed over the old name. A crash or a full
// disk never leaves a half-written file, and a link of that name is replaced,
// never written through. False when the file could not be written.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace tvx
