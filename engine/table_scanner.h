#pragma once

#include <cstdint>
#include <string_view>

#include "text_stream.h"

namespace tvx {

// Reads a table piece by piece and cuts values out of the apostrophes behind
// key texts. One piece buffer is shared by every pass and query: reading a piece
// on any table replaces it, so a caller takes its values before it asks a query.
//
// End marks are zero bytes. A piece ends at its first one: its written end, a
// cut that TakeValue made in place of an apostrophe, or a zero byte of the file.
class TableScanner {
 public:
  static constexpr int kPieceBuffer = 512;

  // Back to the start of the table, end state cleared.
  void RewindTable(TextStream& stream) { stream.Rewind(); }

  // Reads up to and including a line feed, at most limit - 1 characters. False
  // when not a character could be read; the piece is then left as it was.
  bool ReadPiece(TextStream& stream, int limit);

  // Where the key first occurs before the piece's first end mark, or nullptr.
  const char* FindKey(std::string_view key) const;

  // Given a found key: cuts the key and its value out of the piece and returns
  // the value. Given nullptr: continues after the last cut and returns the next
  // value there. Returns nullptr when there is no value. Values are places in the
  // piece, valid until the next ReadPiece.
  const char* TakeValue(const char* place);

  // The piece as it stands, up to its first end mark.
  std::string_view Piece() const { return piece_; }

 private:
  // Takes one segment at `start`: skips apostrophes, then runs to the next
  // apostrophe (which becomes a cut) or end mark. nullptr when none.
  char* TakeSegment(char* start);

  char piece_[kPieceBuffer] = {};
  char* cutPosition_ = nullptr;  // none right after a piece is read
};

// A value read as a decimal number: leading blanks, one sign, digits. No digits
// read as 0; a number beyond 32 bits is held at the nearest end of the range.
// nullptr (no value) reads as an empty text.
std::int32_t ParseNumber(const char* value);

// True exactly when the value is "True"; no value reads as an empty text.
bool IsTrueValue(const char* value);

}  // namespace tvx
