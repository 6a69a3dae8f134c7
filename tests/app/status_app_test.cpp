// The application object: dialog colours, one modal window, exit status 0.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "status_app.h"
#include "window_controls.h"
#include "window_template.h"
#include "window_test_support.h"

namespace {

TEST(StatusApp, RunsTheWindowModallyAndEndsWithStatusZeroWhenItCloses) {
  tvx_test::WorkingDirectory work;
  const QPalette original = QApplication::palette();
  QString caption;
  QColor background;
  QColor text;
  QColor button;
  QTimer::singleShot(0, [&] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    caption = window->windowTitle();
    background = window->palette().color(QPalette::Window);
    text = window->palette().color(QPalette::WindowText);
    button = FindControl(*window, kUpdateId)->palette().color(QPalette::Button);
    QTest::keyClick(window, Qt::Key_Escape);
  });

  CStatusApp app;
  EXPECT_EQ(app.Run(), 0);

  EXPECT_EQ(caption, QStringLiteral("TVX Competition Status"));
  EXPECT_EQ(background, QColor(192, 192, 192));
  EXPECT_EQ(text, QColor(0, 0, 0));
  EXPECT_EQ(button, original.color(QPalette::Button));  // buttons keep their look
  QApplication::setPalette(original);
}

}  // namespace
