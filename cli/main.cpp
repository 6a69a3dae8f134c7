#include <cstdio>
#include <string>
#include <vector>

#include "disk_intake.h"
#include "report_command.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The report is written byte for byte: no LF to CR LF on the way out.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  tvx::DiskIntake intake;
  tvx::SystemClock clock;
  return tvx::RunReportCommand(args, stdout, stderr, intake, clock);
}
