#include "text_stream.h"

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
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == kEndOfText) {
      break;
    }
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      continue;  // the LF that follows stands for the pair
    }
    text.push_back(c);
  }
  return text;
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
