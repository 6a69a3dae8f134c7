#pragma once

#include <array>
#include <cstdint>

namespace tvx {

// Which stages count as done for which competitor: rows are competitor numbers
// 1 to 512, columns stage numbers 1 to 32; 1 marks a stage done.
class ShotTable {
 public:
  static constexpr int kMostCompetitor = 512;
  static constexpr int kMostStage = 32;

  // Sets the mark; a pair outside competitors 1 to 512 and stages 1 to 32 marks
  // nothing.
  void Mark(std::int32_t competitor, std::int32_t stage) {
    if (Holds(competitor, stage)) {
      marks_[static_cast<std::size_t>(competitor)][static_cast<std::size_t>(stage)] = 1;
    }
  }
  bool IsMarked(std::int32_t competitor, std::int32_t stage) const {
    return Holds(competitor, stage) &&
           marks_[static_cast<std::size_t>(competitor)][static_cast<std::size_t>(stage)] == 1;
  }
  // The whole table, so that no mark of an earlier update survives.
  void Clear() { marks_ = {}; }

  static bool Holds(std::int32_t competitor, std::int32_t stage) {
    return competitor >= 1 && competitor <= kMostCompetitor && stage >= 1 && stage <= kMostStage;
  }

 private:
  std::array<std::array<std::int32_t, kMostStage + 1>, kMostCompetitor + 1> marks_{};
};

}  // namespace tvx
