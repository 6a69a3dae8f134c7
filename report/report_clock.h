#pragma once

#include <ctime>

namespace tvx {

// Where the report takes its local date and time from.
class ReportClock {
 public:
  virtual ~ReportClock() = default;
  virtual std::tm LocalNow() = 0;
};

// The system's current time in local time, with the time zone and daylight
// saving time as the system reports them.
class SystemClock : public ReportClock {
 public:
  std::tm LocalNow() override;
};

// Always the same moment; for tests.
class FixedClock : public ReportClock {
 public:
  explicit FixedClock(const std::tm& moment) : moment_(moment) {}
  std::tm LocalNow() override { return moment_; }

 private:
  std::tm moment_;
};

}  // namespace tvx
