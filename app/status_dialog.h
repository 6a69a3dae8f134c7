#pragma once

#include <QDialog>
#include <QIcon>

#include "backup_file_chooser.h"
#include "backup_intake.h"
#include "report_clock.h"
#include "report_viewer.h"
#include "status_engine.h"
#include "status_session.h"
#include "window_texts.h"

class TextExchange;

// What the window needs from outside itself; tests hand in doubles.
struct StatusServices {
  tvx::BackupIntake& intake;
  BackupFileChooser& chooser;
  ReportViewer& viewer;
  tvx::ReportClock& clock;
};

// The main window: template 101, its texts bound to the controls, and the
// commands Update, Browse and Print Preview. It runs the same StatusSession as
// the headless report command.
class CStatusDlg : public QDialog, public tvx::WindowPort {
  Q_OBJECT

 public:
  explicit CStatusDlg(const StatusServices& services);
  ~CStatusDlg() override;

  // The window's texts: m_stageText, m_statusText and m_cabPath.
  tvx::WindowTexts& texts() { return m_texts; }
  const tvx::StatusSession& session() const { return m_session; }

  void PushTexts() override;
  void PullTexts() override;
  void SetIcons() override;

  bool InitializeWindow();
  void OnUpdate();
  void OnBrowse();
  void OnPrintPreview();

  static constexpr const char* kBrowseTitle = "Browse for Tarvix Backup Cab File";

 protected:
  virtual void BindControls(TextExchange& exchange);

 private:
  void OnExit();
  void ConnectCommands();

  StatusServices m_services;
  tvx::StatusEngine m_engine;
  tvx::WindowTexts m_texts;
  QIcon m_hIcon;
  tvx::StatusSession m_session;
};
