// Keys and focus: Tab order among the four buttons, Enter, Escape, Exit and
// the close control.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include "window_template.h"
#include "window_test_support.h"

namespace {

using tvx_test::WindowUnderTest;
using tvx_test::WorkingDirectory;

constexpr const char* kFailedUpdate =
    "An update was requested...\r\nFailed to open the member database...\r\n"
    "Try clicking update again.";

class WindowKeys : public ::testing::Test {
 protected:
  void SetUp() override { under.ShowActive(); }

  QWidget* Focused() const { return QApplication::focusWidget(); }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ASSERT_NE(Focused(), nullptr);
    QTest::keyClick(Focused(), key, modifiers);
  }

  WorkingDirectory work;
  WindowUnderTest under;
};

TEST_F(WindowKeys, FocusStartsOnUpdate) {
  EXPECT_EQ(Focused(), under.Control(kUpdateId));
}

TEST_F(WindowKeys, TabAndShiftTabCycleTheFourButtons) {
  const int forward[] = {kExitId, kBrowseId, kPrintPreviewId, kUpdateId, kExitId};
  for (int id : forward) {
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), under.Control(id)) << "Tab to " << id;
  }
  const int backward[] = {kUpdateId, kPrintPreviewId, kBrowseId, kExitId, kUpdateId};
  for (int id : backward) {
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), under.Control(id)) << "Shift+Tab to " << id;
  }
}

struct EnterCase {
  const char* name;
  int tabs;  // from Update
  int button;
};

void PrintTo(const EnterCase& test, std::ostream* out) {
  *out << test.name;
}

class WindowEnter : public WindowKeys, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(WindowEnter, PressesTheFocusedButton) {
  for (int tab = 0; tab < GetParam().tabs; ++tab) {
    Press(Qt::Key_Tab);
  }
  ASSERT_EQ(Focused(), under.Control(GetParam().button));
  Press(Qt::Key_Return);

  const int button = GetParam().button;
  EXPECT_EQ(under.texts().m_statusText == kFailedUpdate, button == kUpdateId);
  EXPECT_EQ(under.window().isVisible(), button != kExitId);
  EXPECT_EQ(under.chooser.calls, button == kBrowseId ? 1 : 0);
  EXPECT_EQ(under.viewer.opened.size(), button == kPrintPreviewId ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Buttons, WindowEnter,
                         ::testing::Values(EnterCase{"Update", 0, kUpdateId},
                                           EnterCase{"Exit", 1, kExitId},
                                           EnterCase{"Browse", 2, kBrowseId},
                                           EnterCase{"PrintPreview", 3, kPrintPreviewId}),
                         tvx_test::CaseName());

TEST_F(WindowKeys, EnterAfterAClickIntoTheStatusBoxRunsUpdate) {
  auto* status = qobject_cast<QPlainTextEdit*>(under.Control(kStatusBoxId));
  ASSERT_NE(status, nullptr);
  Press(Qt::Key_Tab);  // the focus leaves Update first
  QTest::mouseClick(status->viewport(), Qt::LeftButton);
  ASSERT_EQ(Focused(), status);

  Press(Qt::Key_Return);

  EXPECT_EQ(under.texts().m_statusText, kFailedUpdate);
  EXPECT_EQ(under.ControlText(kStatusBoxId), QString::fromLatin1(kFailedUpdate));
  EXPECT_TRUE(under.window().isVisible());
}

// A text that only the controls hold tells whether a close pulled them.
void ChangeOnlyTheControl(WindowUnderTest& under) {
  under.Control(kPathBoxId)->setProperty("text", QStringLiteral("typed into the control"));
}

TEST_F(WindowKeys, EscapeClosesWithoutAPull) {
  ChangeOnlyTheControl(under);
  Press(Qt::Key_Escape);
  EXPECT_FALSE(under.window().isVisible());
  EXPECT_EQ(under.window().result(), QDialog::Rejected);
  EXPECT_EQ(under.texts().m_cabPath, "c:\\Program Files\\Tarvix\\back");
}

TEST_F(WindowKeys, TheCloseControlClosesWithoutAPull) {
  ChangeOnlyTheControl(under);
  EXPECT_TRUE(under.window().close());
  EXPECT_FALSE(under.window().isVisible());
  EXPECT_EQ(under.texts().m_cabPath, "c:\\Program Files\\Tarvix\\back");
}

TEST_F(WindowKeys, ExitPullsThenCloses) {
  ChangeOnlyTheControl(under);
  QTest::mouseClick(under.Control(kExitId), Qt::LeftButton);
  EXPECT_FALSE(under.window().isVisible());
  EXPECT_EQ(under.window().result(), QDialog::Accepted);
  EXPECT_EQ(under.texts().m_cabPath, "typed into the control");
}

}  // namespace
