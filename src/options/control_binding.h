// A page control bound to one field of the settings record: what the control
// shows for the record, what a change of it stores, and what the bar is then
// asked to do.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/settings.h"
#include "options/options_session.h"

enum class ControlKind {
  kCheck,  // the field is 0 or 1
  kRadio,  // one button of a group; choosing it stores radioValue
  kList    // a drop-down list; the field is the selected index
};

struct ControlBinding {
  int id;
  ControlKind kind;
  int32_t Settings::*field;
  BarOperations operations;
  int32_t radioValue = 0;
};

using ControlBindings = std::vector<ControlBinding>;

const ControlBinding* FindBinding(const ControlBindings& bindings, int id);

// What the control shows for the record: a check box 0 or 1, a radio button 1
// when it is the group's selected one, a list its selected index. A radio group
// selects its first button when the field is non-zero, its second when zero.
int ShownState(const ControlBinding& binding, const Settings& settings);

// Stores what the control now shows and returns what the bar is to do. A radio
// button stores only when it is the selected one. Empty for an id not bound.
std::optional<BarOperations> StoreControl(const ControlBindings& bindings, int id, int state, Settings& settings);
