#pragma once

#include <array>
#include <cstddef>

// Window template 101: the main window and its 44 controls, in dialog units,
// in template order (drawing order and keyboard order alike).

enum class ControlKind { kPushButton, kLabel, kRule, kGroupBox, kTextBox };

// Control styles, combined as bits.
namespace control_style {
inline constexpr unsigned kNone = 0;
inline constexpr unsigned kDefaultButton = 1u << 0;
inline constexpr unsigned kTabStop = 1u << 1;
inline constexpr unsigned kCentred = 1u << 2;
inline constexpr unsigned kLeftAligned = 1u << 3;
inline constexpr unsigned kBlackFill = 1u << 4;
inline constexpr unsigned kMultiLine = 1u << 5;
inline constexpr unsigned kReadOnly = 1u << 6;
inline constexpr unsigned kBorder = 1u << 7;
inline constexpr unsigned kVerticalScroll = 1u << 8;
inline constexpr unsigned kHorizontalScroll = 1u << 9;
inline constexpr unsigned kScrollWithText = 1u << 10;
}  // namespace control_style

// Control identifiers. Labels, the rule and the group boxes have none.
inline constexpr int kNoControlId = -1;
inline constexpr int kExitId = 1;
inline constexpr int kStatusBoxId = 104;
inline constexpr int kUpdateId = 105;
inline constexpr int kPathBoxId = 144;
inline constexpr int kBrowseId = 145;
inline constexpr int kPrintPreviewId = 150;

inline constexpr int kStageSlots = 32;
constexpr int StageSlotId(int slot) {
  return 106 + slot;
}

struct ControlTemplate {
  ControlKind kind = ControlKind::kLabel;
  const char* text = "";
  int id = kNoControlId;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  unsigned style = control_style::kNone;
};

inline constexpr std::size_t kTemplateControls = 44;

struct WindowTemplate {
  int id = 0;
  const char* caption = "";
  const char* fontFamily = "";
  int fontPoints = 0;
  int x = 0;
  int y = 0;
  int width = 0;  // client area
  int height = 0;
  std::array<ControlTemplate, kTemplateControls> controls{};
};

// Stage slot s (1 to 32): two columns of 16, stage 1 at the top left and stage
// 32 at the foot of the right column.
constexpr ControlTemplate StageSlotTemplate(int slot) {
  const bool leftColumn = slot <= 16;
  const int row = leftColumn ? slot - 1 : slot - 17;
  return {ControlKind::kLabel,  "",
          StageSlotId(slot),    leftColumn ? 10 : 80,
          36 + 12 * row,        leftColumn ? 55 : 53,
          slot >= 31 ? 10 : 11, control_style::kLeftAligned};
}

constexpr WindowTemplate MakeStatusWindowTemplate() {
  using namespace control_style;
  WindowTemplate window{101, "TVX Competition Status", "Courier", 10, 50, 50, 364, 301, {}};
  std::size_t next = 0;
  auto add = [&window, &next](const ControlTemplate& control) {
    window.controls[next++] = control;
  };

  add({ControlKind::kPushButton, "Update", kUpdateId, 5, 270, 356, 24, kDefaultButton | kTabStop});
  add({ControlKind::kPushButton, "Exit", kExitId, 270, 250, 90, 15, kTabStop});
  add({ControlKind::kLabel, "The Search For Missing Scoresheets", kNoControlId, 8, 5, 352, 11,
       kCentred});
  add({ControlKind::kRule, "", kNoControlId, 4, 20, 356, 1, kBlackFill});
  add({ControlKind::kGroupBox, "Competitors left to shoot", kNoControlId, 4, 24, 136, 208, kNone});
  for (int slot = 1; slot <= kStageSlots; ++slot) {
    add(StageSlotTemplate(slot));
  }
  add({ControlKind::kGroupBox, "Stages left to shoot", kNoControlId, 144, 24, 216, 208, kNone});
  add({ControlKind::kTextBox, "", kStatusBoxId, 148, 36, 208, 191,
       kMultiLine | kReadOnly | kBorder | kVerticalScroll | kHorizontalScroll});
  add({ControlKind::kTextBox, "", kPathBoxId, 4, 248, 136, 17,
       kReadOnly | kBorder | kScrollWithText});
  add({ControlKind::kLabel, "Tarvix Backup CAB File", kNoControlId, 5, 235, 135, 10, kCentred});
  add({ControlKind::kPushButton, "Browse", kBrowseId, 145, 250, 30, 15, kTabStop});
  add({ControlKind::kLabel, "Use Tarvix: (Competition-Match-Export/Backup)", kNoControlId, 150, 235,
       210, 10, kCentred});
  add({ControlKind::kPushButton, "Print Preview", kPrintPreviewId, 180, 250, 85, 15, kTabStop});
  if (next != kTemplateControls) {
    throw "the template lists a wrong number of controls";  // stops the compilation
  }
  return window;
}

inline constexpr WindowTemplate kStatusWindowTemplate = MakeStatusWindowTemplate();
