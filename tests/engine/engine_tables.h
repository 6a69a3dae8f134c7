#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "status_engine.h"

namespace tvx::test {

// An engine over tables held in memory, run once with the queries' answers
// remembered for the update and once rescanning every table for every
// question; both must give the same.
class EngineTables : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { engine->rememberAnswers = GetParam(); }

  // Opens the four tables afresh, as an update does, with nothing remembered.
  void Open(const std::string& member, const std::string& score, const std::string& enrolled,
            const std::string& stage) {
    engine->memberFile.OpenText(member);
    engine->scoreFile.OpenText(score);
    engine->enrolledFile.OpenText(enrolled);
    engine->stageFile.OpenText(stage);
    engine->memory = {};
  }

  std::unique_ptr<StatusEngine> engine = std::make_unique<StatusEngine>();
};

inline std::string RememberingName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "Remembered" : "Rescanned";
}

}  // namespace tvx::test
