#include "stored_name.h"

#include <algorithm>
#include <array>

namespace tvx {

namespace {

char ToUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows opens these as devices in every folder, whatever extension follows.
bool IsDeviceName(std::string_view part) {
  std::string_view stem = part.substr(0, part.find('.'));
  while (!stem.empty() && stem.back() == ' ') {
    stem.remove_suffix(1);
  }
  std::string upper(stem);
  std::transform(upper.begin(), upper.end(), upper.begin(), ToUpper);
  constexpr std::array<std::string_view, 6> kDevices{"CON", "PRN",    "AUX",
                                                     "NUL", "CONIN$", "CONOUT$"};
  if (std::find(kDevices.begin(), kDevices.end(), upper) != kDevices.end()) {
    return true;
  }
  // COM0 to COM9 and LPT0 to LPT9, the superscript digits of the ANSI code
  // page (0xB9, 0xB2, 0xB3) included.
  if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT"))) {
    const auto digit = static_cast<unsigned char>(upper[3]);
    return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  }
  return false;
}

bool IsPlainPart(std::string_view part) {
  return !part.empty() && part.back() != '.' && part.back() != ' ' &&
         part.find(':') == std::string_view::npos && !IsDeviceName(part);
}

}  // namespace

std::optional<std::vector<std::string>> SplitStoredName(std::string_view name) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = std::min(name.find_first_of("\\/", start), name.size());
    const std::string_view part = name.substr(start, end - start);
    // ".\member.xml", as some cabinet tools store names, is "member.xml".
    if (part != ".") {
      if (!IsPlainPart(part)) {
        return std::nullopt;
      }
      parts.emplace_back(part);
    }
    if (end == name.size()) {
      return parts.empty() ? std::nullopt : std::make_optional(parts);
    }
    start = end + 1;
  }
}

}  // namespace tvx
