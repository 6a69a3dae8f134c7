#pragma once

#include <cstdint>
#include <string>

#include "cabinet_iteration.h"

namespace tvx {

// The cabinet iteration on libmspack, for the systems without SetupAPI.
// Reads any cabinet that libmspack reads (stored, MSZIP, LZX, Quantum) and
// never chases a further cabinet of a set: a file continued there fails.
// All of its file access goes through its own mspack_system, so it writes
// nothing but the targets the handler names, and those in bounds:
// - at most the size the cabinet states for each file, and at most
//   maxWrittenBytes in all (a write past either fails the file);
// - at most maxDecodedBytes decoded in all, the bytes decoded only to reach a
//   file's start included, so that files placed far into a folder cost bounded
//   time; a file that would pass it fails without being decoded.
class MspackCabinetIteration : public CabinetIteration {
 public:
  explicit MspackCabinetIteration(std::uint64_t maxWrittenBytes = kMaxExtractedBytes,
                                  std::uint64_t maxDecodedBytes = 2 * kMaxExtractedBytes)
      : maxWrittenBytes_(maxWrittenBytes), maxDecodedBytes_(maxDecodedBytes) {}

  bool IterateCabinet(const std::string& cabPath, CabinetNotificationHandler& handler) override;

 private:
  std::uint64_t maxWrittenBytes_;
  std::uint64_t maxDecodedBytes_;
};

}  // namespace tvx
