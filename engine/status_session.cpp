#include "status_session.h"

#include <array>

#include "score_pass.h"
#include "status_composition.h"
#include "table_queries.h"
#include "work_paths.h"

namespace tvx {

namespace {

struct DatabaseFile {
  const char* name;
  TextStream StatusEngine::*stream;
  const char* openedLine;
  const char* failedLine;
};

// The opening order; the update stops at the first table that does not open.
constexpr std::array<DatabaseFile, 4> kDatabaseFiles{{
    {"member.xml", &StatusEngine::memberFile, "\r\nMember database opened ok...",
     "\r\nFailed to open the member database...\r\nTry clicking update again."},
    {"score.xml", &StatusEngine::scoreFile, "\r\nScore database opened ok...",
     "\r\nFailed to open the score database...\r\nTry clicking update again."},
    {"enrolled.xml", &StatusEngine::enrolledFile, "\r\nCompetitor database opened ok...",
     "\r\nFailed to open the competitor database...\r\nTry clicking update again."},
    {"stage.xml", &StatusEngine::stageFile, "\r\nStages database opened ok...",
     "\r\nFailed to open the stages database... Try clicking update again."},
}};

constexpr const char* kUpdateRequested = "An update was requested...";

}  // namespace

bool StatusSession::InitializeWindow(const std::optional<std::string>& chosenPath) {
  window_.PushTexts();
  window_.SetIcons();
  workDir_ = intake_.WorkingDirectory();
  window_.PullTexts();
  if (chosenPath) {
    texts_.m_cabPath = *chosenPath;
  } else if (workDir_) {
    if (auto remembered = intake_.ReadRememberedPath(*workDir_)) {
      texts_.m_cabPath = *remembered;
    }
  }
  window_.PushTexts();
  for (std::string& text : texts_.m_stageText) {
    text.clear();
  }
  engine_.shotTable.Clear();
  return true;
}

void StatusSession::OnUpdate(const std::optional<std::string>& chosenPath) {
  lastUpdateCompleted_ = false;
  texts_.m_statusText = kUpdateRequested;
  window_.PushTexts();
  InitializeWindow(chosenPath);
  if (workDir_) {
    // Whatever the extraction did, the opens that follow decide.
    intake_.ExtractBackup(texts_.m_cabPath, *workDir_);
  }
  OpenDatabases();
}

void StatusSession::OpenDatabases() {
  engine_.memory = {};
  for (const DatabaseFile& file : kDatabaseFiles) {
    TextStream& stream = engine_.*file.stream;
    // Without a working directory there is no table to open.
    const bool opened = workDir_ && stream.Open(WorkPath(*workDir_, file.name));
    texts_.m_statusText += opened ? file.openedLine : file.failedLine;
    window_.PushTexts();
    if (!opened) {
      return;
    }
  }
  CountStagesAndCompetitors(engine_);
  MarkShotStages(engine_);
  ComposeStatus(engine_, texts_);
  window_.PushTexts();
  RemoveExtractedTables();
  lastUpdateCompleted_ = true;
}

void StatusSession::RemoveExtractedTables() {
  engine_.CloseDatabases();
  intake_.DeleteExtractedTables(*workDir_);
}

}  // namespace tvx
