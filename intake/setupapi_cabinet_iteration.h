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
// A further cabinet of a set is never chased: the platform is refused one,
// which ends the iteration there, and the file continued in it fails.
class SetupApiCabinetIteration : public CabinetIteration {
 public:
  bool IterateCabinet(const std::string& cabPath, CabinetNotificationHandler& handler) override;
};

}  // namespace tvx
