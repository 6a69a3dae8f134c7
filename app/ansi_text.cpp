#include "ansi_text.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

constexpr unsigned kRangeStart = 0x80;
constexpr unsigned kRangeEnd = kRangeStart + kHighControlRange.size();

char16_t UnicodeOf(unsigned char byte) {
  if (byte >= kRangeStart && byte < kRangeEnd) {
    return kHighControlRange[byte - kRangeStart];
  }
  return byte;
}

}  // namespace

QString FromAnsiBytes(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) {
    text.append(QChar(UnicodeOf(static_cast<unsigned char>(byte))));
  }
  return text;
}

std::string ToAnsiBytes(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (QChar character : text) {
    const char16_t unicode = character.unicode();
    if (unicode < kRangeStart || (unicode >= kRangeEnd && unicode <= 0xFF)) {
      bytes.push_back(static_cast<char>(unicode));
      continue;
    }
    char byte = '?';
    for (unsigned index = 0; index < kHighControlRange.size(); ++index) {
      if (kHighControlRange[index] == unicode) {
        byte = static_cast<char>(kRangeStart + index);
        break;
      }
    }
    bytes.push_back(byte);
  }
  return bytes;
}
