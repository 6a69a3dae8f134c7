#include "text_exchange.h"

#include <QVariant>
#include <QWidget>

#include "ansi_text.h"
#include "window_controls.h"

namespace {
// Every bound control shows its text through this property.
constexpr const char* kTextProperty = "text";
}  // namespace

void TextExchange::Text(int controlId, std::string& member) {
  QWidget* control = FindControl(m_window, controlId);
  // A binding to a control that the template lacks is a fault in the window's
  // own code, not a condition to carry on from.
  if (control == nullptr) {
    qFatal("no control %d to bind a text to", controlId);
  }
  if (m_direction == Direction::kPush) {
    if (!control->setProperty(kTextProperty, FromAnsiBytes(member))) {
      qFatal("control %d has no text to bind", controlId);
    }
  } else {
    member = ToAnsiBytes(control->property(kTextProperty).toString());
  }
}
