#pragma once

#include <cstdint>
#include <span>

#include "tessel/support/DialogUnits.h"

namespace Tessel {

// What a control of a dialog is; the Qt dialog makes the matching widget.
enum class ControlKind {
  kGroupBox,
  kLabel,
  kDropDownList,  // a list without typing
  kEditBox,
  kReadOnlyText,  // an edit box that shows a value the user cannot change
  kListBox,       // lines the user selects, several at once
  kUpDown,        // attached to the edit box before it
  kErrorMarker,
  kCheckBox,
  kRadioButton,  // the first of a group starts the group
  kHelpButton,
  kDefaultButton,
  kPushButton,
  kWarningIcon,
};

// A control without an identifier: a label nothing refers to.
inline constexpr std::int32_t kNoControlId = -1;

// One control of a dialog template, in creation (and tab) order.
struct ControlTemplate {
  std::int32_t id;
  ControlKind kind;
  const char* text;
  Kor::DialogRect rect;  // dialog units
  const char* tooltip = "";
};

// A dialog template: its title, font and size, and its controls. Sizes are in dialog units of
// that font (Kor::DialogUnitsToPixels).
struct DialogTemplate {
  std::int32_t resource;  // 0 for a template that is not numbered
  const char* title;
  const char* font;
  int pointSize;
  int width;
  int height;
  std::span<const ControlTemplate> controls;
};

}  // namespace Tessel
