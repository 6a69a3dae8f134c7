#include "cabinet_builder.h"

#include <algorithm>

namespace tvx::testing {

namespace {

constexpr std::size_t kHeaderSize = 36;
constexpr std::size_t kFolderEntrySize = 8;
constexpr std::size_t kFileEntrySize = 16;
constexpr std::size_t kDataHeaderSize = 8;
constexpr std::size_t kBlockMax = 32768;
constexpr std::uint16_t kHasNextCabinet = 0x0002;
constexpr std::uint16_t kContinuedToNext = 0xFFFE;
constexpr std::uint16_t kArchiveAttribute = 0x20;

void Put16(std::string& out, std::size_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::size_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, (value >> 16) & 0xFFFF);
}

std::string NextCabinetStrings(const CabinetLayout& layout) {
  if (!layout.nextCabinet) {
    return {};
  }
  return *layout.nextCabinet + '\0' + "Backup disk 2" + '\0';
}

std::size_t BlockCount(const std::string& content) {
  return (content.size() + kBlockMax - 1) / kBlockMax;
}

std::size_t DataStart(const std::vector<CabinetMember>& members, const CabinetLayout& layout) {
  std::size_t start = kHeaderSize + NextCabinetStrings(layout).size() + kFolderEntrySize;
  for (const CabinetMember& member : members) {
    start += kFileEntrySize + member.name.size() + 1;
  }
  return start;
}

}  // namespace

std::size_t MemberDataOffset(const std::vector<CabinetMember>& members, std::size_t index,
                             const CabinetLayout& layout) {
  std::size_t offset = DataStart(members, layout);
  for (std::size_t i = 0; i < index; ++i) {
    offset += BlockCount(members[i].content) * kDataHeaderSize + members[i].content.size();
  }
  return offset + kDataHeaderSize;
}

std::string BuildCabinet(const std::vector<CabinetMember>& members, const CabinetLayout& layout) {
  const std::string strings = NextCabinetStrings(layout);
  std::string files;
  std::string data;
  std::size_t blocks = 0;
  std::size_t folderOffset = 0;
  for (std::size_t i = 0; i < members.size(); ++i) {
    const CabinetMember& member = members[i];
    const bool continued = layout.nextCabinet && i + 1 == members.size();
    Put32(files, member.statedSize.value_or(static_cast<std::uint32_t>(member.content.size())));
    Put32(files, folderOffset);
    Put16(files, continued ? kContinuedToNext : 0);
    Put16(files, 0x32C4);  // 4 June 2005
    Put16(files, 0x70A4);  // 14:05:08
    Put16(files, kArchiveAttribute);
    files += member.name;
    files.push_back('\0');

    for (std::size_t at = 0; at < member.content.size(); at += kBlockMax) {
      const std::size_t length = std::min(kBlockMax, member.content.size() - at);
      const bool split = continued && at + length == member.content.size();
      Put32(data, 0);  // no checksum
      Put16(data, length);
      Put16(data, split ? 0 : length);  // 0: the block goes on in the next cabinet
      data.append(member.content, at, length);
      ++blocks;
    }
    folderOffset += member.content.size();
  }

  const std::size_t dataStart = DataStart(members, layout);
  std::string cabinet = "MSCF";
  Put32(cabinet, 0);
  Put32(cabinet, dataStart + data.size());
  Put32(cabinet, 0);
  Put32(cabinet, kHeaderSize + strings.size() + kFolderEntrySize);
  Put32(cabinet, 0);
  cabinet.push_back(3);  // version 1.3
  cabinet.push_back(1);
  Put16(cabinet, 1);
  Put16(cabinet, members.size());
  Put16(cabinet, layout.nextCabinet ? kHasNextCabinet : 0);
  Put16(cabinet, 0x1234);  // set id
  Put16(cabinet, 0);       // first of its set
  cabinet += strings;
  Put32(cabinet, dataStart);
  Put16(cabinet, blocks);
  Put16(cabinet, 0);  // stored, no compression
  cabinet += files;
  cabinet += data;
  return cabinet;
}

}  // namespace tvx::testing
