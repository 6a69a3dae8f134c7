#include "report_clock.h"

namespace tvx {

std::tm SystemClock::LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  // The reentrant conversions have a different name on each platform.
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

}  // namespace tvx
