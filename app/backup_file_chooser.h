#pragma once

#include <QString>
#include <optional>

class QWidget;

// How Browse asks the user for a backup cabinet.
class BackupFileChooser {
 public:
  virtual ~BackupFileChooser() = default;

  // The full path of the chosen file, with the platform's separators; nothing
  // when the dialog ended in any other way than with OK.
  virtual std::optional<QString> ChooseBackupFile(QWidget& window, const QString& title) = 0;
};

// The chooser on screen: a CBackupFileDialog, modal over the window.
class BackupFileDialogChooser : public BackupFileChooser {
 public:
  std::optional<QString> ChooseBackupFile(QWidget& window, const QString& title) override;
};
