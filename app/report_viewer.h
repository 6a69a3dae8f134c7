#pragma once

#include <QString>
#include <QStringList>

// How Print Preview shows the report file.
class ReportViewer {
 public:
  virtual ~ReportViewer() = default;

  // Starts a viewer on the file and returns at once; false when none started.
  virtual bool OpenReport(const QString& path) = 0;
};

// A program and its arguments, the path always one argument of its own.
struct ViewerCommand {
  QString program;
  QStringList arguments;
};

// Notepad on Windows; elsewhere the desktop's opener, which starts the default
// viewer for text files.
ViewerCommand ReportViewerCommand(const QString& path);

// Starts ReportViewerCommand as a program of its own, without waiting for it.
class DesktopReportViewer : public ReportViewer {
 public:
  bool OpenReport(const QString& path) override;
};
