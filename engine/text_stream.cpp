#include "text_stream.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace tvx {

namespace {

constexpr char kEndOfText = 26;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads the file up to its end or its first read error: like a stream, a table
// that cannot be read further simply ends there.
std::string ReadUntilEndOrError(std::FILE* file) {
  std::string bytes;
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

}  // namespace

std::string TranslateTextMode(const std::string& bytes) {
  const std::size_t end = std::min(bytes.find(kEndOfText), bytes.size());
  std::string text;
  text.reserve(end);
  std::size_t from = 0;
  while (from < end) {
    const std::size_t pair = bytes.find("\r\n", from);
    if (pair == std::string::npos || pair >= end) {
      text.append(bytes, from, end - from);
      break;
    }
    text.append(bytes, from, pair - from);
    from = pair + 1;  // the LF that follows stands for the pair
  }
  return text;
}

std::size_t TextStream::ReadLine(char* out, std::size_t most) {
  const std::size_t left = text_.size() - position_;
  if (left == 0) {
    atEnd_ = true;
    return 0;
  }
  const std::size_t span = std::min(most, left);
  const char* from = text_.data() + position_;
  const void* lineFeed = std::memchr(from, '\n', span);
  const std::size_t count =
      lineFeed != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - from) + 1
                          : span;
  std::memcpy(out, from, count);
  position_ += count;
  // Running out of text before the line or the count ended is reaching the end.
  if (lineFeed == nullptr && span < most) {
    atEnd_ = true;
  }
  return count;
}

bool TextStream::Open(const std::string& path) {
  Close();
  // "r+" so that a table that cannot be opened for writing fails as well.
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "r+b"));
  if (!file) {
    return false;
  }
  OpenText(ReadUntilEndOrError(file.get()));
  return true;
}

void TextStream::OpenText(const std::string& bytes) {
  text_ = TranslateTextMode(bytes);
  position_ = 0;
  atEnd_ = false;
  open_ = true;
}

void TextStream::Close() {
  text_.clear();
  text_.shrink_to_fit();
  position_ = 0;
  atEnd_ = false;
  open_ = false;
}

void TextStream::Rewind() {
  position_ = 0;
  atEnd_ = false;
}

}  // namespace tvx
