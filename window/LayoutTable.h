#pragma once
// The window's 46 controls and 2 timers as data: one row per instance in creation order, and the
// values that every instance of a kind shares, applied once from their own table. Positions are
// window coordinates, children's too.
#include <vector>

#include "framework/Control.h"
#include "framework/Object.h"
#include "framework/Properties.h"

namespace layout {

// The framework class of an instance (for an array member, its element class's base).
enum class Kind {
  GroupBox,
  Canvas,
  Slider,
  RoundRectangle,
  Label,
  Rectangle,
  TextField,
  UpDownArrows,
  CheckBox,
  Timer,
};

constexpr fw::Integer kNoIndex = fw::Control::kNoIndex;

// An instance by name, and by index for an array member; no name is the window itself.
struct Place {
  const char* name = nullptr;
  fw::Integer index = kNoIndex;
};

struct Instance {
  int number;  // creation order, 1 to 48
  const char* name;
  fw::Integer index;  // kNoIndex for a single control or a timer
  Kind kind;
  Place parent;
  fw::Integer left, top, width, height, tab;  // unused for a timer
  const char* text;  // a label's caption, a field's hint; nullptr where the kind has none
  fw::Properties differs;  // what departs from the kind's common values
};

// The 48 rows, in creation order.
const std::vector<Instance>& Instances();

// What every control shares, and what every instance of the kind shares.
const fw::Properties& EveryControl();
const fw::Properties& CommonValues(Kind kind);

// The instance's whole declaration, for fw::SetProperties: its name and index, its parent (the
// control the row's parent names, found by the caller; nil for the window), place and tab, the
// common values, its text and what differs.
fw::Properties Declaration(const Instance& row, const fw::Ref<fw::Object>& parent);

}  // namespace layout
