#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "shot_table.h"
#include "table_scanner.h"
#include "text_stream.h"

namespace tvx {

// Answers of the queries, remembered for the length of one update. The tables
// cannot change during an update, so each kind of query reads its table once,
// in the same pieces and with the same cuts as a rescan would, and keeps the
// first record's answer for every number.
struct QueryMemory {
  std::optional<std::unordered_map<std::int32_t, std::int32_t>> competitorForMember;
  std::optional<std::unordered_map<std::int32_t, std::int32_t>> memberForCompetitor;
  std::optional<std::unordered_map<std::int32_t, std::string>> nameForMember;
  std::optional<std::unordered_map<std::int32_t, bool>> disqualified;
  std::optional<std::unordered_map<std::int32_t, bool>> stageRemoved;
};

// The state the engine keeps for the whole life of the program: the four
// database streams, the one table scanner, the counts and the shot table.
struct StatusEngine {
  TextStream memberFile;
  TextStream scoreFile;
  TextStream enrolledFile;
  TextStream stageFile;

  TableScanner scanner;

  std::int32_t stageCount = 0;
  std::int32_t competitorCount = 0;
  std::int32_t highestCompetitor = 0;

  ShotTable shotTable;

  // Off: every query rescans its table from the start, as it is asked.
  bool rememberAnswers = true;
  QueryMemory memory;

  void CloseDatabases() {
    memberFile.Close();
    scoreFile.Close();
    enrolledFile.Close();
    stageFile.Close();
    memory = {};
  }
};

}  // namespace tvx
