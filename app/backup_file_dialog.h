#pragma once

#include <QFileDialog>

// The open-file dialog of Browse. Every setting is fixed here: open mode, the
// extension "cab" added to a typed name without one, "Tarvix.cab" as the first
// name, names of files that do not exist accepted, and two file types. The
// caller sets the title.
class CBackupFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit CBackupFileDialog(QWidget* parent = nullptr);

  static constexpr const char* kCabinetFiles = "Cabinet Files (*.cab)";
  static constexpr const char* kAllFiles = "All Files (*.*)";

 private:
  void ListEveryFileForAllFiles(const QString& filter);
};
