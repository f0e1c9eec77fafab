#pragma once
// The main window's template, shared by the Qt and the Win32 window: every
// control with its text and rectangle in dialog units, listed in tab order.
#include <vector>

#include "layout/dlu_rect.h"

enum class ControlKind {
  kButton,
  kHiddenButton,
  kPane,
  kDigitEdit,
  kCombo,
  kLabel,
  kCentredLabel,
  kGroupBox,
};

struct ControlDef {
  int id;  // 0 for a control without an id
  ControlKind kind;
  const char* text;  // kModelCaption: the model registry's caption for the id
  DluRect rect;
};
inline constexpr const char* kModelCaption = nullptr;

inline constexpr int kMainWindowWidthDlu = 681;
inline constexpr int kMainWindowHeightDlu = 407;
inline constexpr int kMainWindowFontPoints = 9;
// The template's combo height is that of the open list; the closed box is one line.
inline constexpr int kClosedComboHeightDlu = 14;
// A Win32 template gives a combo the height of its open list.
inline constexpr int kComboListHeightDlu = 30;
// The scan's progress bar sits in the strip between the pane and the bottom groups.
inline constexpr DluRect kProgressBarRect{7, 356, 402, 8};

const std::vector<ControlDef>& MainWindowControls();

// The text a control shows: its own, or for a model button the registry's caption.
const char* CaptionOf(const ControlDef& def);
