#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cabinet_iteration.h"

namespace tvx::testing {

// One file as a scripted iteration reports and writes it.
struct ScriptedFile {
  ScriptedFile(std::string name, std::string bytes,
               std::optional<std::uint64_t> stated = std::nullopt, int error = 0)
      : nameInCabinet(std::move(name)),
        written(std::move(bytes)),
        statedSize(stated),
        errorCode(error) {}

  std::string nameInCabinet;
  std::string written;                      // the bytes put into the handler's target
  std::optional<std::uint64_t> statedSize;  // the size reported, when not that of `written`
  int errorCode;                            // the outcome reported
};

// A cabinet iteration that plays a given list of files, the way SetupAPI does
// it: cabinet info first, then each file and its outcome. It writes into the
// target the handler names with a plain overwrite, creates no folders, and can
// stop between a file and its outcome. It keeps every target it was given.
class ScriptedCabinetIteration : public CabinetIteration {
 public:
  std::vector<ScriptedFile> files;
  std::optional<std::size_t> stopAfterWriting;  // the index of the file after which it stops
  std::vector<std::string> targets;
  std::vector<HandlerAnswer> answers;

  bool IterateCabinet(const std::string& cabPath, CabinetNotificationHandler& handler) override {
    CabinetNotification info = CabinetInfo{cabPath, "", 0, 0};
    if (handler.HandleCabinetNotification(info) != HandlerAnswer::kNoError) {
      return false;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
      const ScriptedFile& file = files[i];
      CabinetNotification notification =
          FileInCabinet{file.nameInCabinet, file.statedSize.value_or(file.written.size()), {}};
      const HandlerAnswer answer = handler.HandleCabinetNotification(notification);
      answers.push_back(answer);
      if (answer == HandlerAnswer::kSkip) {
        continue;
      }
      if (answer != HandlerAnswer::kDoIt) {
        return false;
      }
      const std::string target = std::get<FileInCabinet>(notification).fullTargetName;
      targets.push_back(target);
      if (std::FILE* out = std::fopen(target.c_str(), "wb")) {
        std::fwrite(file.written.data(), 1, file.written.size(), out);
        std::fclose(out);
      }
      if (stopAfterWriting == i) {
        return false;
      }
      CabinetNotification outcome = FileExtracted{target, file.errorCode};
      if (handler.HandleCabinetNotification(outcome) != HandlerAnswer::kNoError) {
        return false;
      }
    }
    return true;
  }
};

}  // namespace tvx::testing
