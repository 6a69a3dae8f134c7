#pragma once

#include <optional>
#include <string>

#include "backup_intake.h"
#include "status_engine.h"
#include "window_texts.h"

namespace tvx {

// The main window's update, without the window: its initialisation, the update
// run with its progress lines, and the removal of the extracted tables. The
// desktop window and the headless report command both drive this one object.
class StatusSession {
 public:
  StatusSession(StatusEngine& engine, WindowTexts& texts, WindowPort& window, BackupIntake& intake)
      : engine_(engine), texts_(texts), window_(window), intake_(intake) {}

  // Takes the working directory anew, reads the remembered cabinet path (or
  // takes chosenPath in its place), empties the stage texts and clears the shot
  // table. Always true.
  bool InitializeWindow(const std::optional<std::string>& chosenPath = std::nullopt);

  // One update on the remembered path, or on chosenPath when one is given (a
  // path just chosen whose remembering failed, or the command's cabinet).
  void OnUpdate(const std::optional<std::string>& chosenPath = std::nullopt);

  // Whether the last update opened all four tables and ran to its end.
  bool LastUpdateCompleted() const { return lastUpdateCompleted_; }

  const std::optional<std::string>& workDir() const { return workDir_; }
  WindowTexts& texts() { return texts_; }
  StatusEngine& engine() { return engine_; }

 private:
  void OpenDatabases();
  void RemoveExtractedTables();

  StatusEngine& engine_;
  WindowTexts& texts_;
  WindowPort& window_;
  BackupIntake& intake_;
  std::optional<std::string> workDir_;
  bool lastUpdateCompleted_ = false;
};

}  // namespace tvx
