#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup_file_chooser.h"
#include "disk_intake.h"
#include "report_clock.h"
#include "report_viewer.h"
#include "status_dialog.h"

namespace tvx_test {

// Names the instances of a parameterised test after the `name` of each case.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& instance) const {
    return instance.param.name;
  }
};

// TEMP names a fresh directory for as long as this object lives; the earlier
// value comes back afterwards.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const QString& nameTemplate = QStringLiteral("tvx-window-XXXXXX"));
  ~WorkingDirectory();
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  bool IsValid() const { return m_directory.isValid(); }
  std::string Path() const;
  std::string FilePath(std::string_view name) const;
  void Write(std::string_view name, std::string_view bytes) const;
  std::optional<std::string> Read(std::string_view name) const;
  bool Exists(std::string_view name) const;

 private:
  QTemporaryDir m_directory;
  std::optional<QByteArray> m_savedTemp;
};

// Sets or removes TEMP for as long as this object lives.
class TempVariable {
 public:
  explicit TempVariable(const std::optional<std::string>& value);
  ~TempVariable();
  TempVariable(const TempVariable&) = delete;
  TempVariable& operator=(const TempVariable&) = delete;

 private:
  std::optional<QByteArray> m_saved;
};

struct TableFile {
  std::string name;
  std::string bytes;
};

// The worked example: 4 stages, competitors 1 to 3; competitor 1 has shot every
// stage, competitor 2 (Test Shooter) stages 1 and 3, competitor 3 none.
std::vector<TableFile> WorkedExampleTables();
std::vector<TableFile> WithoutTable(std::vector<TableFile> tables, std::string_view name);
void PlaceTables(const WorkingDirectory& directory, const std::vector<TableFile>& tables);

inline constexpr const char* kWorkedExampleStatus = "  2 Test Shooter             (2,4)\r\n";
inline constexpr const char* kWorkedExampleStages[] = {"Stage  1    1", "Stage  2    2",
                                                       "Stage  3    1", "Stage  4    2"};

// Packs the tables into a cabinet with gcab; false where gcab is missing.
bool MakeCabinet(const QString& cabinetPath, const std::vector<TableFile>& tables);

// Saturday, 4 June 2005, 14:05:09.
std::tm ReportMoment();

class FakeChooser : public BackupFileChooser {
 public:
  std::optional<QString> ChooseBackupFile(QWidget& window, const QString& title) override;

  std::optional<QString> answer;
  int calls = 0;
  QString title;
};

class FakeViewer : public ReportViewer {
 public:
  bool OpenReport(const QString& path) override;

  std::vector<QString> opened;
  bool starts = true;
};

// The disk intake with a hook at the moment of extraction, where an update
// has pushed its first texts and not yet opened a table.
class WatchedIntake : public tvx::DiskIntake {
 public:
  bool ExtractBackup(const std::string& cabPath, const std::string& workDir) override;
  std::optional<std::string> ReadRememberedPath(const std::string& workDir) override;

  std::vector<std::string> extractedFrom;
  std::function<void()> onExtract;
  // When set, stands for a remembered-path file that holds it.
  std::optional<std::string> remembered;
};

// The status window on the disk intake, with doubles for the chooser, the
// viewer and the clock.
class WindowUnderTest {
 public:
  WindowUnderTest();
  CStatusDlg& window() { return *m_window; }
  tvx::WindowTexts& texts() { return m_window->texts(); }
  QWidget* Control(int id) const;
  QString ControlText(int id) const;
  // Shows the window and makes it the active one, so that keys reach the
  // focused control.
  void ShowActive();

  WatchedIntake intake;
  FakeChooser chooser;
  FakeViewer viewer;
  tvx::FixedClock clock{ReportMoment()};

 private:
  std::unique_ptr<CStatusDlg> m_window;
};

}  // namespace tvx_test
