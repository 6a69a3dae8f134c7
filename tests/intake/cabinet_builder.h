#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tvx::testing {

// Writes small uncompressed cabinets byte by byte, for the inputs no cabinet
// tool makes: hostile stored names, sizes that claim more than the data, sets
// that go on in a further cabinet. One folder; each file's bytes in blocks of
// their own, so that damage to one file's data leaves the others readable.
struct CabinetMember {
  CabinetMember(std::string storedName, std::string bytes,
                std::optional<std::uint32_t> stated = std::nullopt)
      : name(std::move(storedName)), content(std::move(bytes)), statedSize(stated) {}

  std::string name;
  std::string content;
  std::optional<std::uint32_t> statedSize;  // what the cabinet claims, when not the content's size
};

struct CabinetLayout {
  // The set goes on in this cabinet file: the last member is continued there,
  // its last block left split.
  std::optional<std::string> nextCabinet;
};

std::string BuildCabinet(const std::vector<CabinetMember>& members,
                         const CabinetLayout& layout = {});

// Where a member's data begins in the cabinet BuildCabinet makes.
std::size_t MemberDataOffset(const std::vector<CabinetMember>& members, std::size_t index,
                             const CabinetLayout& layout = {});

}  // namespace tvx::testing
