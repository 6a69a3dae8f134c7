#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace tvx {

// One database table opened as a text stream. The file must exist and open for
// reading and writing (it is only read). Its bytes are read whole at the open and
// the file is closed again at once, so no handle is ever held between commands;
// the stream keeps the text, its own read position and its end state.
//
// Text mode is the same on every platform: a CR LF pair reads as one LF, a lone
// CR stays a CR, and a byte 26 (Ctrl-Z) ends the file.
class TextStream {
 public:
  // Opens the file anew; whatever this stream held before is dropped first.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return open_; }

  // Back to the start of the text, end state cleared.
  void Rewind();

  bool AtEnd() const { return atEnd_; }

  // Copies characters up to and including a line feed, at most `most` of them,
  // and gives their number; 0 at the end of the text (which then stays set).
  std::size_t ReadLine(char* out, std::size_t most);

  // Where the next read starts, and a way back there; used to read ahead.
  struct Mark {
    std::size_t position;
    bool atEnd;
  };
  Mark Tell() const { return {position_, atEnd_}; }
  void Seek(Mark mark) {
    position_ = mark.position;
    atEnd_ = mark.atEnd;
  }

  // A stream over text already in memory, translated as a file would be.
  void OpenText(const std::string& bytes);

 private:
  std::string text_;
  std::size_t position_ = 0;
  bool atEnd_ = false;
  bool open_ = false;
};

// The text-mode reading of raw file bytes.
std::string TranslateTextMode(const std::string& bytes);

}  // namespace tvx
