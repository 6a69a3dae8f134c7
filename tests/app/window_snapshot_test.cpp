// The program's window after an update of the bundled sample match. With
// TVX_WINDOW_PNG set, the picture is saved there (docs/window.png is made so).
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include "status_app.h"
#include "status_dialog.h"
#include "window_controls.h"
#include "window_template.h"
#include "window_test_support.h"

namespace {

TEST(WindowSnapshot, AfterAnUpdateOfTheSampleMatch) {
  const QString sample = QStringLiteral(TVX_SOURCE_DIR "/examples/sample-match.cab");
  if (!QFile::exists(sample)) {
    GTEST_SKIP() << "no sample match";
  }
  tvx_test::WorkingDirectory work;
  // The path box shows the cabinet's path relative to the working directory,
  // not where this checkout lies.
  ASSERT_TRUE(QFile::copy(sample, QFile::decodeName(work.FilePath("sample-match.cab").c_str())));
  const QString previousFolder = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QFile::decodeName(work.Path().c_str())));
  work.Write("tvxinfo.cst", "sample-match.cab");
  const QPalette previousPalette = QApplication::palette();

  bool completed = false;
  QPixmap picture;
  QTimer::singleShot(0, [&] {
    auto* window = qobject_cast<CStatusDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(FindControl(*window, kUpdateId), Qt::LeftButton);
    completed = window->session().LastUpdateCompleted();
    picture = window->grab();
    for (int slot = 1; slot <= kStageSlots; ++slot) {
      // Every stage text of the sample fits its slot.
      auto* label = qobject_cast<QLabel*>(FindControl(*window, StageSlotId(slot)));
      ASSERT_NE(label, nullptr);
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << slot;
    }
    QTest::keyClick(window, Qt::Key_Escape);
  });
  CStatusApp app;
  EXPECT_EQ(app.Run(), 0);
  QDir::setCurrent(previousFolder);
  QApplication::setPalette(previousPalette);

  EXPECT_TRUE(completed);
  ASSERT_FALSE(picture.isNull());
  const QByteArray saveAs = qgetenv("TVX_WINDOW_PNG");
  if (!saveAs.isEmpty()) {
    EXPECT_TRUE(picture.save(QFile::decodeName(saveAs), "PNG"));
  }
}

}  // namespace
