// The Browse dialog's settings, and the chooser that shows it.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "backup_file_chooser.h"
#include "backup_file_dialog.h"
#include "window_test_support.h"

namespace {

QLineEdit* NameBox(QFileDialog& dialog) {
  return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// Whether the dialog's listing shows a file of that name.
bool Lists(QFileDialog& dialog, const QString& name) {
  auto* listing = dialog.findChild<QFileSystemModel*>();
  if (listing == nullptr) {
    return false;
  }
  for (const QString& pattern : listing->nameFilters()) {
    const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(pattern));
    if (wildcard.match(name).hasMatch()) {
      return true;
    }
  }
  return false;
}

TEST(BackupFileDialog, Settings) {
  CBackupFileDialog dialog;
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("cab"));
  EXPECT_EQ(dialog.nameFilters(), (QStringList{QStringLiteral("Cabinet Files (*.cab)"),
                                               QStringLiteral("All Files (*.*)")}));
  EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("Cabinet Files (*.cab)"));
  ASSERT_NE(NameBox(dialog), nullptr);
  EXPECT_EQ(NameBox(dialog)->text(), QStringLiteral("Tarvix.cab"));
}

TEST(BackupFileDialog, CabinetFilesListsCabinetsAndAllFilesListsEveryFile) {
  CBackupFileDialog dialog;
  dialog.show();
  EXPECT_TRUE(Lists(dialog, QStringLiteral("match.cab")));
  EXPECT_FALSE(Lists(dialog, QStringLiteral("match.zip")));
  EXPECT_FALSE(Lists(dialog, QStringLiteral("README")));

  auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  ASSERT_NE(types, nullptr);
  QTest::keyClick(types, Qt::Key_Down);  // as a user picks the second type
  ASSERT_EQ(types->currentText(), QStringLiteral("All Files (*.*)"));

  EXPECT_TRUE(Lists(dialog, QStringLiteral("match.cab")));
  EXPECT_TRUE(Lists(dialog, QStringLiteral("match.zip")));
  EXPECT_TRUE(Lists(dialog, QStringLiteral("README")));
}

struct TypedName {
  const char* name;
  const char* typed;
  const char* chosen;
};

void PrintTo(const TypedName& test, std::ostream* out) {
  *out << test.name;
}

class BackupFileDialogTyped : public ::testing::TestWithParam<TypedName> {};

TEST_P(BackupFileDialogTyped, AcceptsTheNameWithCabAddedWhereItHasNoExtension) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  CBackupFileDialog dialog;
  dialog.setDirectory(folder.path());
  dialog.show();
  ASSERT_NE(NameBox(dialog), nullptr);
  NameBox(dialog)->setText(QString::fromLatin1(GetParam().typed));

  QTest::keyClick(NameBox(dialog), Qt::Key_Return);

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.selectedFiles(),
            QStringList{QDir(folder.path()).filePath(QString::fromLatin1(GetParam().chosen))});
}

INSTANTIATE_TEST_SUITE_P(Names, BackupFileDialogTyped,
                         ::testing::Values(TypedName{"NoExtension", "backup", "backup.cab"},
                                           TypedName{"Cab", "match.cab", "match.cab"},
                                           TypedName{"OtherExtension", "match.bak", "match.bak"}),
                         tvx_test::CaseName());

// The chooser shows the dialog modally with the title given and answers with
// the chosen path in the platform's separators, or nothing after Cancel.
TEST(BackupFileDialogChooser, AnswersWithTheChosenPathOrNothing) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QWidget owner;
  BackupFileDialogChooser chooser;
  for (bool accept : {true, false}) {
    QString title;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      title = dialog->windowTitle();
      dialog->setDirectory(folder.path());
      NameBox(*dialog)->setText(QStringLiteral("chosen"));
      QTest::keyClick(NameBox(*dialog), accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    const std::optional<QString> chosen =
        chooser.ChooseBackupFile(owner, QStringLiteral("Pick one"));
    EXPECT_EQ(title, QStringLiteral("Pick one"));
    if (accept) {
      EXPECT_EQ(chosen, QDir::toNativeSeparators(QDir(folder.path()).filePath("chosen.cab")));
    } else {
      EXPECT_EQ(chosen, std::nullopt);
    }
  }
}

}  // namespace
