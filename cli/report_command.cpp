#include "report_command.h"

#include <optional>

#include "status_report.h"
#include "status_session.h"

namespace tvx {

namespace {

constexpr const char* kUsage =
    "Usage: tvx-status-report [--help] [--] [CABINET]\n"
    "\n"
    "Runs one status update, as the window's Update button does, and writes the\n"
    "status report to standard output (CR LF line ends, bytes as in the window).\n"
    "\n"
    "  CABINET  the backup cabinet to extract into the working directory (TEMP);\n"
    "           without it, the remembered cabinet path is used, else the default.\n"
    "  --help   show this text.\n"
    "\n"
    "Exit status: 0 the update completed; 1 a table did not open (the report then\n"
    "ends with the failure line); 2 a usage error.\n";

}  // namespace

int RunReportCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                     BackupIntake& intake, ReportClock& clock) {
  std::optional<std::string> cabinet;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && arg == "--help") {
      std::fputs(kUsage, out);
      return kUpdateCompleted;
    }
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    if ((!optionsEnded && arg.size() > 1 && arg[0] == '-') || cabinet) {
      std::fprintf(err, "tvx-status-report: unexpected argument '%s'\n\n%s", arg.c_str(), kUsage);
      return kUsageError;
    }
    cabinet = arg;
  }

  StatusEngine engine;
  WindowTexts texts;
  HeadlessWindow window;
  StatusSession session(engine, texts, window, intake);
  session.InitializeWindow();
  session.OnUpdate(cabinet);

  const std::string report = ComposeStatusReport(texts, clock.LocalNow());
  std::fwrite(report.data(), 1, report.size(), out);
  std::fflush(out);
  return session.LastUpdateCompleted() ? kUpdateCompleted : kTableDidNotOpen;
}

}  // namespace tvx
