#include "platform/dialog_fields.h"

DialogFields& DialogFields::Text(int id, std::string& field) {
  bindings_.push_back({id, Kind::kText, &field});
  return *this;
}

DialogFields& DialogFields::Check(int id, int& field) {
  bindings_.push_back({id, Kind::kCheck, &field});
  return *this;
}

DialogFields& DialogFields::Selection(int id, int& field) {
  bindings_.push_back({id, Kind::kSelection, &field});
  return *this;
}

DialogFields& DialogFields::Number(int id, int& field) {
  bindings_.push_back({id, Kind::kNumber, &field});
  return *this;
}

void DialogFields::Load(DialogControls& controls) const {
  for (const Binding& b : bindings_) {
    if (b.kind == Kind::kText) {
      controls.SetItemText(b.id, *std::get<std::string*>(b.field));
      continue;
    }
    const int value = *std::get<int*>(b.field);
    switch (b.kind) {
      case Kind::kCheck: controls.SetChecked(b.id, value != 0); break;
      case Kind::kSelection: controls.SetListSelection(b.id, value); break;
      case Kind::kNumber: controls.SetItemNumber(b.id, value); break;
      case Kind::kText: break;
    }
  }
}

void DialogFields::Save(const DialogControls& controls) const {
  for (const Binding& b : bindings_) {
    if (b.kind == Kind::kText) {
      *std::get<std::string*>(b.field) = controls.ItemText(b.id);
      continue;
    }
    int& value = *std::get<int*>(b.field);
    switch (b.kind) {
      case Kind::kCheck: value = controls.IsChecked(b.id) ? 1 : 0; break;
      case Kind::kSelection: value = controls.ListSelection(b.id); break;
      case Kind::kNumber:
        if (const std::optional<int> number = controls.ItemNumber(b.id)) value = *number;
        break;
      case Kind::kText: break;
    }
  }
}
