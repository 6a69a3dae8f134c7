#pragma once

// The application object: its start-up step sets the colours of the program's
// dialogs and runs the one status window modally.
class CStatusApp {
 public:
  // Needs the QApplication to exist. Returns the program's exit status, 0,
  // once the window has closed.
  int Run();
};
