#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "backup_intake.h"
#include "report_clock.h"

namespace tvx {

enum ReportCommandStatus {
  kUpdateCompleted = 0,
  kTableDidNotOpen = 1,
  kUsageError = 2,
};

// tvx-status-report [CABINET]: one update as the window's Update runs it, then
// the status report on `out`. Without CABINET the update takes the remembered
// path, else the window's default. Writes nothing into the working directory
// but what the update itself extracts.
int RunReportCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                     BackupIntake& intake, ReportClock& clock);

}  // namespace tvx
