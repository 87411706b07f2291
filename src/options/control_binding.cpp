#include "options/control_binding.h"

const ControlBinding* FindBinding(const ControlBindings& bindings, int id) {
  for (const ControlBinding& binding : bindings) {
    if (binding.id == id) return &binding;
  }
  return nullptr;
}

int ShownState(const ControlBinding& binding, const Settings& settings) {
  const int32_t value = settings.*binding.field;
  switch (binding.kind) {
    case ControlKind::kCheck: return value != 0 ? 1 : 0;
    case ControlKind::kRadio: return (value != 0) == (binding.radioValue != 0) ? 1 : 0;
    case ControlKind::kList: return value;
  }
  return 0;
}

std::optional<BarOperations> StoreControl(const ControlBindings& bindings, int id, int state, Settings& settings) {
  const ControlBinding* binding = FindBinding(bindings, id);
  if (!binding) return std::nullopt;
  switch (binding->kind) {
    case ControlKind::kCheck:
      settings.*binding->field = state != 0 ? 1 : 0;
      break;
    case ControlKind::kRadio:
      // The button that was left sends nothing; one that is not selected has nothing to say.
      if (state == 0) return BarOperations{};
      settings.*binding->field = binding->radioValue;
      break;
    case ControlKind::kList:
      settings.*binding->field = state;
      break;
  }
  return binding->operations;
}
