#include "status_app.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

#include "backup_file_chooser.h"
#include "disk_intake.h"
#include "report_clock.h"
#include "report_viewer.h"
#include "status_dialog.h"

namespace {

// Dialog background and text; push buttons keep their own colours.
void SetDialogColours() {
  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
  QApplication::setPalette(palette);
}

}  // namespace

int CStatusApp::Run() {
  SetDialogColours();
  tvx::DiskIntake intake;
  BackupFileDialogChooser chooser;
  DesktopReportViewer viewer;
  tvx::SystemClock clock;
  CStatusDlg window({intake, chooser, viewer, clock});
  // How the window closed makes no difference to the program.
  static_cast<void>(window.exec());
  return 0;
}
