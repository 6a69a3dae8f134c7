#include "stored_cabinet.h"

#include <algorithm>

#include "fuzz_support.h"

namespace tvx::fuzz {

namespace {

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
  }
}

}  // namespace

std::string StoredCabinet(const std::vector<StoredFile>& files) {
  std::string data;
  for (const StoredFile& file : files) {
    data += file.content;
  }
  constexpr std::size_t kBlock = 32768;
  const std::size_t blocks = data.empty() ? 1 : (data.size() + kBlock - 1) / kBlock;
  std::size_t fileEntries = 0;
  for (const StoredFile& file : files) {
    fileEntries += 16 + file.name.size() + 1;
  }
  const std::size_t filesAt = 36 + 8;
  const std::size_t dataAt = filesAt + fileEntries;
  const std::size_t total = dataAt + 8 * blocks + data.size();

  std::string cab = "MSCF";
  PutLittle(cab, 0, 4);
  PutLittle(cab, static_cast<std::uint32_t>(total), 4);
  PutLittle(cab, 0, 4);
  PutLittle(cab, static_cast<std::uint32_t>(filesAt), 4);
  PutLittle(cab, 0, 4);
  cab.push_back(3);  // version 1.3
  cab.push_back(1);
  PutLittle(cab, 1, 2);  // folders
  PutLittle(cab, static_cast<std::uint32_t>(files.size()), 2);
  PutLittle(cab, 0, 2);       // flags
  PutLittle(cab, 0x1234, 2);  // set id
  PutLittle(cab, 0, 2);       // number in the set

  PutLittle(cab, static_cast<std::uint32_t>(dataAt), 4);
  PutLittle(cab, static_cast<std::uint32_t>(blocks), 2);
  PutLittle(cab, 0, 2);  // stored

  std::uint32_t offset = 0;
  for (const StoredFile& file : files) {
    PutLittle(cab, file.statedSize.value_or(static_cast<std::uint32_t>(file.content.size())), 4);
    PutLittle(cab, offset, 4);
    PutLittle(cab, 0, 2);       // folder 0
    PutLittle(cab, 0x32c4, 2);  // 4 June 2005
    PutLittle(cab, 0x70a4, 2);  // 14:05:08
    PutLittle(cab, 0x20, 2);    // archive
    cab += file.name;
    cab.push_back('\0');
    offset += static_cast<std::uint32_t>(file.content.size());
  }
  for (std::size_t at = 0; at < data.size() || (at == 0 && data.empty()); at += kBlock) {
    const std::size_t size = std::min(kBlock, data.size() - at);
    PutLittle(cab, 0, 4);  // no checksum
    PutLittle(cab, static_cast<std::uint32_t>(size), 2);
    PutLittle(cab, static_cast<std::uint32_t>(size), 2);
    cab.append(data, at, size);
    if (data.empty()) {
      break;
    }
  }
  return cab;
}

std::vector<StoredFile> DescribedFiles(const std::uint8_t* data, std::size_t size) {
  std::vector<StoredFile> files;
  for (const std::string& part : SplitInput(data, size, kTextSeparator, 256)) {
    StoredFile file;
    const std::size_t zero = std::min(part.find('\0'), part.size());
    file.name = part.substr(0, zero);
    file.content = zero < part.size() ? part.substr(zero + 1) : std::string();
    if (file.content.size() >= 6 && file.content.compare(0, 2, "\xff\xff") == 0) {
      std::uint32_t stated = 0;
      for (int i = 5; i >= 2; --i) {
        stated =
            (stated << 8) | static_cast<unsigned char>(file.content[static_cast<std::size_t>(i)]);
      }
      file.statedSize = stated;
      file.content.erase(0, 6);
    }
    files.push_back(std::move(file));
  }
  return files;
}

}  // namespace tvx::fuzz
