#include "options/options_page_win.h"

#include <algorithm>

namespace {

// The hourglass while the scope lasts.
class WaitCursor {
 public:
  WaitCursor() : previous_(::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
  ~WaitCursor() { ::SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

bool MakesShortcut(const BarOperations& operations) {
  return std::find(operations.begin(), operations.end(), BarOperation::kAddStartup) != operations.end();
}

}  // namespace

void OptionsPage::OnReset() {
  WaitCursor wait;  // Cancel may make or delete the start-up shortcut
  session_.Cancel();
}

bool OptionsPage::OnHelp() {
  help_.ShowTopic(helpTopic_);
  return true;
}

void OptionsPage::ShowBindings(const ControlBindings& bindings) {
  for (const ControlBinding& binding : bindings) {
    const int state = ShownState(binding, Record());
    if (binding.kind == ControlKind::kList) {
      SetListSelection(binding.id, state);
    } else {
      SetChecked(binding.id, state != 0);
    }
  }
}

int OptionsPage::ReadState(const ControlBinding& binding) const {
  return binding.kind == ControlKind::kList ? ListSelection(binding.id) : (IsChecked(binding.id) ? 1 : 0);
}

bool OptionsPage::IsChangeNotification(const ControlBinding& binding, int code) {
  return binding.kind == ControlKind::kList ? code == CBN_SELCHANGE : code == BN_CLICKED;
}

void OptionsPage::Perform(const BarOperations& operations) {
  if (MakesShortcut(operations)) {
    WaitCursor wait;
    session_.Perform(operations);
  } else {
    session_.Perform(operations);
  }
}
