#include "backup_file_dialog.h"

#include <QFileSystemModel>

CBackupFileDialog::CBackupFileDialog(QWidget* parent) : QFileDialog(parent) {
  // Qt's own dialog on every platform, so that the settings below mean the
  // same everywhere.
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::AnyFile);
  setDefaultSuffix(QStringLiteral("cab"));
  setNameFilters({QString::fromLatin1(kCabinetFiles), QString::fromLatin1(kAllFiles)});
  selectFile(QStringLiteral("Tarvix.cab"));
  connect(this, &QFileDialog::filterSelected, this, &CBackupFileDialog::ListEveryFileForAllFiles);
}

// "*.*" is everything to the user, but Qt's pattern wants a dot in the name;
// under that file type the listing takes every name instead.
void CBackupFileDialog::ListEveryFileForAllFiles(const QString& filter) {
  if (filter != QString::fromLatin1(kAllFiles)) {
    return;
  }
  auto* listing = findChild<QFileSystemModel*>();
  if (listing != nullptr) {
    listing->setNameFilters({QStringLiteral("*")});
  }
}
