#pragma once

#include <ctime>
#include <string>

#include "window_texts.h"

namespace tvx {

inline constexpr const char* kReportFileName = "tvxprint.txt";

// "Sat Jun 04 14:05:09 2005": English names whatever the locale, the day of the
// month with a leading zero.
std::string FormatReportDate(const std::tm& moment);

// The report's bytes: the date line, the stage texts, the status text, with the
// report's own lines ended by CR LF and the window's texts written unchanged.
std::string ComposeStatusReport(const WindowTexts& texts, const std::tm& moment);

}  // namespace tvx
