#pragma once

#include <array>
#include <string>

namespace tvx {

// The texts of the main window. The engine and the intake write these members;
// the window copies them into its controls (PushTexts) and back (PullTexts).
// All of them are byte strings: the tables are single-byte text.
struct WindowTexts {
  static constexpr int kStageSlots = 32;
  static constexpr const char* kDefaultCabPath = "c:\\Program Files\\Tarvix\\back";
  static constexpr const char* kNoCabinetText = "No cab file open";

  // Index s (1 to 32) is shown in stage slot s; index 0 is shown nowhere.
  std::array<std::string, kStageSlots + 1> m_stageText;
  std::string m_statusText = kNoCabinetText;
  std::string m_cabPath = kDefaultCabPath;
};

// What the update needs of the window: the two text transfers and the icons
// that the initialisation sets. The headless command uses a window that has none.
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  virtual void PushTexts() = 0;
  virtual void PullTexts() = 0;
  virtual void SetIcons() {}
};

// A window without controls: a push has nowhere to go and a pull gives back
// what was pushed, so both leave the members as they are.
class HeadlessWindow : public WindowPort {
 public:
  void PushTexts() override {}
  void PullTexts() override {}
};

}  // namespace tvx
