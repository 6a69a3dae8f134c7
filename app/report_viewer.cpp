#include "report_viewer.h"

#include <QProcess>

ViewerCommand ReportViewerCommand(const QString& path) {
#if defined(Q_OS_WIN)
  return {QStringLiteral("notepad"), {path}};
#elif defined(Q_OS_MACOS)
  return {QStringLiteral("open"), {QStringLiteral("-t"), path}};
#else
  return {QStringLiteral("xdg-open"), {path}};
#endif
}

bool DesktopReportViewer::OpenReport(const QString& path) {
  const ViewerCommand command = ReportViewerCommand(path);
  return QProcess::startDetached(command.program, command.arguments);
}
