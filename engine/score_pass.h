#pragma once

#include "status_engine.h"

namespace tvx {

// Reads "score.xml" record by record and marks in the shot table every stage
// that counts as done: the record's third piece holds "LastModify=", or the
// competitor is disqualified, or the stage is removed.
void MarkShotStages(StatusEngine& engine);

}  // namespace tvx
