#include "window_controls.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <limits>

#include "status_text_box.h"

namespace {

QString ControlName(int id) {
  return QStringLiteral("control%1").arg(id);
}

bool Has(const ControlTemplate& control, unsigned style) {
  return (control.style & style) != 0;
}

QWidget* CreatePushButton(QWidget& window, const ControlTemplate& control) {
  auto* button = new QPushButton(QString::fromLatin1(control.text), &window);
  button->setAutoDefault(true);  // Enter presses the button that has the focus
  button->setFocusPolicy(Has(control, control_style::kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
  // Enter presses it while the focus is on no button.
  button->setDefault(Has(control, control_style::kDefaultButton));
  return button;
}

QWidget* CreateLabel(QWidget& window, const ControlTemplate& control) {
  auto* label = new QLabel(QString::fromLatin1(control.text), &window);
  label->setTextFormat(Qt::PlainText);  // table texts are never markup
  const Qt::Alignment across =
      Has(control, control_style::kCentred) ? Qt::AlignHCenter : Qt::AlignLeft;
  label->setAlignment(across | Qt::AlignTop);
  return label;
}

QWidget* CreateRule(QWidget& window) {
  auto* rule = new QFrame(&window);
  QPalette palette = rule->palette();
  palette.setColor(QPalette::Window, Qt::black);
  rule->setPalette(palette);
  rule->setAutoFillBackground(true);
  return rule;
}

// Read-only boxes take the window's colours, as its labels do.
void TakeWindowColours(QWidget& box) {
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  palette.setColor(QPalette::Text, palette.color(QPalette::WindowText));
  box.setPalette(palette);
}

QWidget* CreateTextBox(QWidget& window, const ControlTemplate& control) {
  QWidget* box = nullptr;
  if (Has(control, control_style::kMultiLine)) {
    box = new StatusTextBox(&window);
  } else {
    auto* line = new QLineEdit(&window);
    line->setReadOnly(Has(control, control_style::kReadOnly));
    line->setMaxLength(std::numeric_limits<int>::max());  // never cut a pushed text
    // A new text is shown from its start, long paths scrolling sideways.
    QObject::connect(line, &QLineEdit::textChanged, line, [line] { line->setCursorPosition(0); });
    box = line;
  }
  if (Has(control, control_style::kReadOnly)) {
    TakeWindowColours(*box);
  }
  box->setFocusPolicy(Has(control, control_style::kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
  return box;
}

QWidget* CreateControl(QWidget& window, const ControlTemplate& control) {
  switch (control.kind) {
    case ControlKind::kPushButton:
      return CreatePushButton(window, control);
    case ControlKind::kLabel:
      return CreateLabel(window, control);
    case ControlKind::kRule:
      return CreateRule(window);
    case ControlKind::kGroupBox:
      return new QGroupBox(QString::fromLatin1(control.text), &window);
    case ControlKind::kTextBox:
      return CreateTextBox(window, control);
  }
  qFatal("a template control of no known kind");
}

}  // namespace

void CreateControls(QWidget& window, const WindowTemplate& layout, const DialogUnits& units) {
  for (const ControlTemplate& control : layout.controls) {
    QWidget* widget = CreateControl(window, control);
    if (control.id != kNoControlId) {
      widget->setObjectName(ControlName(control.id));
    }
    widget->setGeometry(units.ToPixels(control));
  }
}

QWidget* FindControl(const QWidget& window, int id) {
  return window.findChild<QWidget*>(ControlName(id), Qt::FindDirectChildrenOnly);
}
