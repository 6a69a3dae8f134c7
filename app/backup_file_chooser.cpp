#include "backup_file_chooser.h"

#include <QDir>

#include "backup_file_dialog.h"

std::optional<QString> BackupFileDialogChooser::ChooseBackupFile(QWidget& window,
                                                                 const QString& title) {
  CBackupFileDialog dialog(&window);
  dialog.setWindowTitle(title);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return QDir::toNativeSeparators(chosen.first());
}
