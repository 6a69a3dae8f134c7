#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Cabinets made here, for seeds and for the extraction target's second kind
// of input: the fuzzer then chooses the stored names, contents and sizes while
// the cabinet stays readable, so that every input reaches the extraction's
// handler.
namespace tvx::fuzz {

struct StoredFile {
  std::string name;
  std::string content;
  std::optional<std::uint32_t> statedSize;  // the content's size unless given
};

// A cabinet of one uncompressed folder holding the files, in the published
// layout: header, folder entry, file entries, data blocks without checksums.
std::string StoredCabinet(const std::vector<StoredFile>& files);

// Files described by an input: parts cut at kTextSeparator, each the stored
// name, a zero byte and the content. A content that starts with "\xff\xff"
// and four more bytes states that little-endian size instead of its own.
std::vector<StoredFile> DescribedFiles(const std::uint8_t* data, std::size_t size);

// The signature that every cabinet starts with: an input that does not is a
// description of files.
inline constexpr char kCabinetSignature[] = "MSCF";

}  // namespace tvx::fuzz
