#pragma once

#include <cstdint>
#include <string>

#include "status_engine.h"
#include "window_texts.h"

namespace tvx {

// Writes the status text (a line per competitor still shooting, or the
// no-competitors text, and the closing remark) and the stage texts of stages 1
// to stageCount from the shot table and the counts.
void ComposeStatus(StatusEngine& engine, WindowTexts& texts);

// "%3d %-24.24s (%s)\r\n"
std::string FormatCompetitorLine(std::int32_t competitor, const std::string& name,
                                 const std::string& stagesLeft);

// "Stage %2d %4d"
std::string FormatStageText(std::int32_t stage, std::int64_t left);

}  // namespace tvx
