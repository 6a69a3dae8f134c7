#include "table_scanner.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tvx {

namespace {
constexpr char kDelimiter = '\'';
}

bool TableScanner::ReadPiece(TextStream& stream, int limit) {
  if (stream.AtEnd() || limit < 2) {
    return false;
  }
  // A read of nothing leaves the piece as it was.
  char read[kPieceBuffer];
  const std::size_t most = static_cast<std::size_t>(std::min(limit, kPieceBuffer) - 1);
  const std::size_t count = stream.ReadLine(read, most);
  if (count == 0) {
    return false;
  }
  std::memcpy(piece_, read, count);
  piece_[count] = '\0';
  cutPosition_ = nullptr;
  return true;
}

const char* TableScanner::FindKey(std::string_view key) const {
  std::string_view piece(piece_);
  std::size_t at = piece.find(key);
  return at == std::string_view::npos ? nullptr : piece_ + at;
}

char* TableScanner::TakeSegment(char* start) {
  while (*start == kDelimiter) {
    ++start;
  }
  if (*start == '\0') {
    cutPosition_ = start;
    return nullptr;
  }
  char* end = start;
  while (*end != kDelimiter && *end != '\0') {
    ++end;
  }
  if (*end == kDelimiter) {
    *end = '\0';
    cutPosition_ = end + 1;
  } else {
    cutPosition_ = end;
  }
  return start;
}

const char* TableScanner::TakeValue(const char* place) {
  if (place == nullptr) {
    if (cutPosition_ == nullptr) {
      return nullptr;
    }
    TakeSegment(cutPosition_);
  } else {
    // The place is one that FindKey gave for this piece.
    TakeSegment(piece_ + (place - piece_));
  }
  return TakeSegment(cutPosition_);
}

std::int32_t ParseNumber(const char* value) {
  if (value == nullptr) {
    return 0;
  }
  const char* c = value;
  while (*c == ' ' || *c == '\t' || *c == '\n' || *c == '\v' || *c == '\f' || *c == '\r') {
    ++c;
  }
  bool negative = false;
  if (*c == '+' || *c == '-') {
    negative = *c == '-';
    ++c;
  }
  constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kLeast = std::numeric_limits<std::int32_t>::min();
  std::int64_t number = 0;
  for (; *c >= '0' && *c <= '9'; ++c) {
    if (number <= -kLeast) {  // past both ends already: stop growing
      number = number * 10 + (*c - '0');
    }
  }
  number = negative ? -number : number;
  if (number > kMost) {
    return static_cast<std::int32_t>(kMost);
  }
  if (number < kLeast) {
    return static_cast<std::int32_t>(kLeast);
  }
  return static_cast<std::int32_t>(number);
}

bool IsTrueValue(const char* value) {
  return value != nullptr && std::strcmp(value, "True") == 0;
}

}  // namespace tvx
