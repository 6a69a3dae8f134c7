#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace tvx {

// A real backup holds a few megabytes of tables. An extraction writes at most
// this much in all, so a cabinet that claims or unpacks to gigabytes costs
// seconds, not the disk.
inline constexpr std::uint64_t kMaxExtractedBytes = std::uint64_t{256} << 20;

// The notifications of a cabinet iteration, in the shape of the platform's own
// cabinet iteration (SetupAPI's SPFILENOTIFY_* codes), so that one handler
// serves every backend. Order: kCabinetInfo first, kNeedNewCabinet when the
// cabinet says it continues in a further file, then kFileInCabinet for every
// file, each followed by kFileExtracted when the handler answered kDoIt.

// The cabinet itself (kCabinetInfo), or the next one of a set (kNeedNewCabinet).
struct CabinetInfo {
  std::string cabinetFile;
  std::string diskName;
  unsigned setId = 0;
  unsigned cabinetNumber = 0;
};
struct NeedNewCabinet {
  CabinetInfo next;
};

// One file of the cabinet. The handler reads the stored name and the size the
// cabinet states and, to have the file extracted, names its target: a fresh
// file that the handler has made for it. The iteration writes the file's bytes
// into that file and nowhere else; it neither makes folders nor looks at the
// stored name.
struct FileInCabinet {
  std::string nameInCabinet;
  std::uint64_t fileSize = 0;
  std::string fullTargetName;
};

// The outcome of one file's extraction: errorCode 0 when the iteration
// considers it extracted whole. A backend may report 0 for a file it wrote
// short, so the handler checks the size too.
struct FileExtracted {
  std::string target;
  int errorCode = 0;
};

using CabinetNotification = std::variant<CabinetInfo, NeedNewCabinet, FileInCabinet, FileExtracted>;

// The handler's answer: kDoIt or kSkip to kFileInCabinet, kNoError to the
// others; kAbort (and any answer that does not fit the notification) ends the
// iteration.
enum class HandlerAnswer { kNoError, kDoIt, kSkip, kAbort };

class CabinetNotificationHandler {
 public:
  virtual ~CabinetNotificationHandler() = default;
  virtual HandlerAnswer HandleCabinetNotification(CabinetNotification& notification) = 0;
};

// Walks the files of one cabinet file and extracts those the handler asks for.
class CabinetIteration {
 public:
  virtual ~CabinetIteration() = default;

  // False when cabPath is not a cabinet that can be read (nothing is then
  // notified) or when the handler aborted; a single file that fails to
  // extract is reported to the handler and does not end the iteration.
  virtual bool IterateCabinet(const std::string& cabPath, CabinetNotificationHandler& handler) = 0;
};

// The platform's cabinet iteration.
std::unique_ptr<CabinetIteration> MakeCabinetIteration();

}  // namespace tvx
