// The window against template 101: kinds, texts, identifiers and rectangles of
// the 44 controls, the font, the caption and the frame.
#include <gtest/gtest.h>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "window_controls.h"
#include "window_template.h"
#include "window_test_support.h"

namespace {

using tvx_test::WindowUnderTest;
using tvx_test::WorkingDirectory;

struct ExpectedControl {
  ControlKind kind;
  const char* text;
  int id;
  int x, y, width, height;
};

// Template 101 as written down for the window, the stage slots apart.
constexpr ExpectedControl kBeforeSlots[] = {
    {ControlKind::kPushButton, "Update", 105, 5, 270, 356, 24},
    {ControlKind::kPushButton, "Exit", 1, 270, 250, 90, 15},
    {ControlKind::kLabel, "The Search For Missing Scoresheets", -1, 8, 5, 352, 11},
    {ControlKind::kRule, "", -1, 4, 20, 356, 1},
    {ControlKind::kGroupBox, "Competitors left to shoot", -1, 4, 24, 136, 208},
};
constexpr ExpectedControl kAfterSlots[] = {
    {ControlKind::kGroupBox, "Stages left to shoot", -1, 144, 24, 216, 208},
    {ControlKind::kTextBox, "", 104, 148, 36, 208, 191},
    {ControlKind::kTextBox, "", 144, 4, 248, 136, 17},
    {ControlKind::kLabel, "Tarvix Backup CAB File", -1, 5, 235, 135, 10},
    {ControlKind::kPushButton, "Browse", 145, 145, 250, 30, 15},
    {ControlKind::kLabel, "Use Tarvix: (Competition-Match-Export/Backup)", -1, 150, 235, 210, 10},
    {ControlKind::kPushButton, "Print Preview", 150, 180, 250, 85, 15},
};

// Slot s: left column x 10 width 55 for 1 to 16, right column x 80 width 53
// for 17 to 32, 12 units apart from y 36; 11 high, slots 31 and 32 10 high.
ExpectedControl Slot(int s) {
  const bool left = s <= 16;
  return {
      ControlKind::kLabel, "", 106 + s, left ? 10 : 80, 36 + 12 * ((s - 1) % 16), left ? 55 : 53,
      s >= 31 ? 10 : 11};
}

std::vector<ExpectedControl> ExpectedControls() {
  std::vector<ExpectedControl> controls(std::begin(kBeforeSlots), std::end(kBeforeSlots));
  for (int s = 1; s <= 32; ++s) {
    controls.push_back(Slot(s));
  }
  controls.insert(controls.end(), std::begin(kAfterSlots), std::end(kAfterSlots));
  return controls;
}

// Pixels of the window's font by the definition of dialog units.
struct Units {
  int charWidth;
  int charHeight;
  static int Scale(int units, int pixels, int parts) {
    return (units * pixels + parts / 2) / parts;
  }
  QRect Rect(const ExpectedControl& c) const {
    return {Scale(c.x, charWidth, 4), Scale(c.y, charHeight, 8), Scale(c.width, charWidth, 4),
            Scale(c.height, charHeight, 8)};
  }
};

Units MeasuredUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters + 26) / 52, metrics.ascent() + metrics.descent()};
}

QString ShownText(QWidget* widget) {
  if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    return box->title();
  }
  return widget->property("text").toString();
}

bool IsKind(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
      return qobject_cast<QPushButton*>(widget) != nullptr;
    case ControlKind::kLabel:
      return qobject_cast<QLabel*>(widget) != nullptr;
    case ControlKind::kRule:
      return widget->metaObject() == &QFrame::staticMetaObject;
    case ControlKind::kGroupBox:
      return qobject_cast<QGroupBox*>(widget) != nullptr;
    case ControlKind::kTextBox:
      return qobject_cast<QLineEdit*>(widget) != nullptr ||
             qobject_cast<QPlainTextEdit*>(widget) != nullptr;
  }
  return false;
}

class WindowLayout : public ::testing::Test {
 protected:
  WorkingDirectory work;
  WindowUnderTest under;
};

TEST_F(WindowLayout, TheCodedTemplateIsTemplate101) {
  const std::vector<ExpectedControl> expected = ExpectedControls();
  ASSERT_EQ(expected.size(), kStatusWindowTemplate.controls.size());
  for (std::size_t index = 0; index < expected.size(); ++index) {
    SCOPED_TRACE(index + 1);
    const ControlTemplate& coded = kStatusWindowTemplate.controls[index];
    EXPECT_EQ(coded.kind, expected[index].kind);
    EXPECT_STREQ(coded.text, expected[index].text);
    EXPECT_EQ(coded.id, expected[index].id);
    EXPECT_EQ(
        QRect(coded.x, coded.y, coded.width, coded.height),
        QRect(expected[index].x, expected[index].y, expected[index].width, expected[index].height));
  }
}

TEST_F(WindowLayout, EveryControlSitsAtItsTemplateRectangleInTemplateOrder) {
  const Units units = MeasuredUnits(under.window().font());
  const std::vector<ExpectedControl> expected = ExpectedControls();
  const QList<QWidget*> children =
      under.window().findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(static_cast<std::size_t>(children.size()), expected.size());
  for (std::size_t index = 0; index < expected.size(); ++index) {
    SCOPED_TRACE(index + 1);
    QWidget* control = children[static_cast<qsizetype>(index)];
    EXPECT_TRUE(IsKind(control, expected[index].kind));
    EXPECT_EQ(control->geometry(), units.Rect(expected[index]));
    if (expected[index].id != kNoControlId) {
      EXPECT_EQ(FindControl(under.window(), expected[index].id), control);
    }
    if (expected[index].kind != ControlKind::kTextBox && expected[index].id == kNoControlId) {
      EXPECT_EQ(ShownText(control), QString::fromLatin1(expected[index].text));
    }
  }
}

TEST_F(WindowLayout, ClientAreaPositionAndFrame) {
  const Units units = MeasuredUnits(under.window().font());
  const ExpectedControl client{ControlKind::kLabel, "", 0, 50, 50, 364, 301};
  const QRect pixels = units.Rect(client);
  EXPECT_EQ(under.window().size(), pixels.size());
  EXPECT_EQ(under.window().minimumSize(), pixels.size());
  EXPECT_EQ(under.window().maximumSize(), pixels.size());
  EXPECT_EQ(under.window().pos(), pixels.topLeft());
  EXPECT_EQ(under.window().windowTitle(), QStringLiteral("TVX Competition Status"));
  const Qt::WindowFlags flags = under.window().windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
}

TEST_F(WindowLayout, FontIsCourierOrAFontWithItsMetrics) {
  const QFontInfo shown(under.window().font());
  EXPECT_EQ(shown.pointSize(), 10);
  EXPECT_TRUE(shown.fixedPitch());
  // Debian's fonts-liberation stands in for Courier here; no other family may.
  if (QFontDatabase::hasFamily(QStringLiteral("Courier"))) {
    EXPECT_EQ(shown.family(), QStringLiteral("Courier"));
  } else if (QFontDatabase::hasFamily(QStringLiteral("Liberation Mono"))) {
    EXPECT_EQ(shown.family(), QStringLiteral("Liberation Mono"));
  }
  for (QWidget* control : under.window().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_EQ(QFontInfo(control->font()).family(), shown.family());
  }
}

TEST_F(WindowLayout, ControlStyles) {
  auto* update = qobject_cast<QPushButton*>(under.Control(kUpdateId));
  ASSERT_NE(update, nullptr);
  EXPECT_TRUE(update->isDefault());
  for (int id : {kExitId, kBrowseId, kPrintPreviewId}) {
    auto* button = qobject_cast<QPushButton*>(under.Control(id));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isDefault());
    EXPECT_EQ(button->focusPolicy(), Qt::StrongFocus);
  }
  auto* status = qobject_cast<QPlainTextEdit*>(under.Control(kStatusBoxId));
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(status->isReadOnly());
  EXPECT_EQ(status->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(status->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(status->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_FALSE(status->focusPolicy() & Qt::TabFocus);
  auto* path = qobject_cast<QLineEdit*>(under.Control(kPathBoxId));
  ASSERT_NE(path, nullptr);
  EXPECT_TRUE(path->isReadOnly());
  EXPECT_FALSE(path->focusPolicy() & Qt::TabFocus);
  for (int slot = 1; slot <= 32; ++slot) {
    auto* label = qobject_cast<QLabel*>(under.Control(StageSlotId(slot)));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->alignment() & Qt::AlignLeft);
  }
}

TEST_F(WindowLayout, NoTextIsClipped) {
  for (QWidget* control : under.window().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QString text = ShownText(control);
    if (text.isEmpty()) {
      continue;
    }
    SCOPED_TRACE(text.toStdString());
    EXPECT_LE(control->fontMetrics().horizontalAdvance(text), control->width());
    EXPECT_LE(control->fontMetrics().height(), control->height());
  }
  // The widest stage text that the status can give fits every slot.
  for (int slot = 1; slot <= kStageSlots; ++slot) {
    QWidget* label = under.Control(StageSlotId(slot));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(QStringLiteral("Stage 32  512")),
              label->width())
        << slot;
    EXPECT_LE(label->fontMetrics().height(), label->height()) << slot;
  }
}

}  // namespace
