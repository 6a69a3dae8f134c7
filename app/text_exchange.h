#pragma once

#include <string>

class QWidget;

// One transfer of texts between a window's members and its controls. The
// window lists its bindings once (BindControls); a push runs them member to
// control, a pull control to member.
class TextExchange {
 public:
  enum class Direction { kPush, kPull };

  TextExchange(QWidget& window, Direction direction) : m_window(window), m_direction(direction) {}

  // Binds `member` (bytes) to the text of control `controlId`.
  void Text(int controlId, std::string& member);

 private:
  QWidget& m_window;
  Direction m_direction;
};
