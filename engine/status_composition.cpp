#include "status_composition.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "table_queries.h"

namespace tvx {

namespace {
constexpr const char* kNobodyShooting = "\r\nNo competitors are currently shooting\r\n\r\n";
constexpr const char* kCompetitionComplete = "The competition is complete";
}  // namespace

std::string FormatCompetitorLine(std::int32_t competitor, const std::string& name,
                                 const std::string& stagesLeft) {
  char number[16];
  std::snprintf(number, sizeof number, "%3d ", static_cast<int>(competitor));
  std::string line = number;
  std::string shownName = name.substr(0, 24);
  shownName.resize(24, ' ');
  line += shownName;
  line += " (";
  line += stagesLeft;
  line += ")\r\n";
  return line;
}

std::string FormatStageText(std::int32_t stage, std::int64_t left) {
  char text[48];
  std::snprintf(text, sizeof text, "Stage %2d %4lld", static_cast<int>(stage),
                static_cast<long long>(left));
  return text;
}

void ComposeStatus(StatusEngine& engine, WindowTexts& texts) {
  texts.m_statusText.clear();
  // The table has room for 32 stages and competitors up to 512; the counts
  // themselves stay as counted.
  const std::int32_t stages = std::min<std::int32_t>(engine.stageCount, ShotTable::kMostStage);
  const std::int32_t highest =
      std::min<std::int32_t>(engine.highestCompetitor, ShotTable::kMostCompetitor);

  std::array<std::int32_t, ShotTable::kMostStage + 1> shotBy{};
  int lineCount = 0;
  std::string name;
  for (std::int32_t competitor = 1; competitor <= highest; ++competitor) {
    std::string stagesLeft;
    std::int32_t shot = 0;
    for (std::int32_t stage = 1; stage <= stages; ++stage) {
      if (engine.shotTable.IsMarked(competitor, stage)) {
        ++shotBy[static_cast<std::size_t>(stage)];
        ++shot;
      } else {
        stagesLeft += std::to_string(stage);
        stagesLeft += ',';
      }
    }
    if (shot == 0 || shot == stages) {
      continue;
    }
    name.clear();  // a competitor without a member record gets no earlier name
    FormatCompetitorName(engine, competitor, name);
    stagesLeft.pop_back();
    if (IsDisqualified(engine, competitor)) {
      continue;
    }
    ++lineCount;
    texts.m_statusText += FormatCompetitorLine(competitor, name, stagesLeft);
  }

  std::int64_t totalLeft = 0;
  for (std::int32_t stage = 1; stage <= stages; ++stage) {
    const std::int64_t left =
        std::int64_t{engine.competitorCount} - shotBy[static_cast<std::size_t>(stage)];
    texts.m_stageText[static_cast<std::size_t>(stage)] =
        IsStageRemoved(engine, stage) ? std::string() : FormatStageText(stage, left);
    totalLeft += left;
  }

  if (lineCount == 0) {
    texts.m_statusText = kNobodyShooting;
  }
  if (totalLeft == 0) {
    texts.m_statusText += kCompetitionComplete;
  }
}

}  // namespace tvx
