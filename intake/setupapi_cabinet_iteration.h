#pragma once

#include <string>

#include "cabinet_iteration.h"

namespace tvx {

// The cabinet iteration on Windows's own SetupIterateCabinetA (SetupAPI), which
// writes each file's bytes into the target the handler names and checks
// nothing else: the handler has to make the folders, keep every target inside
// the working directory, and judge each file's outcome by its size, since the
// platform may report a file extracted whole when it wrote it short.
//
// A further cabinet of a set is never chased: the platform asks for it (and
// kNeedNewCabinet is notified) only when it reaches the file continued there;
// it is refused one, which ends the iteration, and that file fails. Where the
// platform ends the iteration early, at a file it cannot decode, every file
// after it is notified as failed, as libmspack's iteration would report it.
class SetupApiCabinetIteration : public CabinetIteration {
 public:
  bool IterateCabinet(const std::string& cabPath, CabinetNotificationHandler& handler) override;
};

}  // namespace tvx
