#include "barwnd/window/bar_switcher.h"

namespace {

constexpr std::size_t kMaxTipLength = 79;

}  // namespace

int InitialDisplayedBar(int homeBar, int currentBarSetting, int barCount) {
  const int wanted = homeBar >= 0 && homeBar < barCount ? homeBar : currentBarSetting;
  return wanted >= 0 && wanted < barCount ? wanted : 0;
}

std::string SwitchButtonTipText(const std::string* barName, const std::string& emptyText) {
  if (!barName) return emptyText;
  return barName->substr(0, kMaxTipLength);
}

bool BarSwitcher::HasDisplayedBar() { return displayed_ >= 0 && displayed_ < host_.BarCount(); }

std::optional<HomeBarOptions> BarSwitcher::ValidHomeBar() {
  std::optional<HomeBarOptions> home = host_.HomeBar();
  if (home && (home->ordinal < 0 || home->ordinal >= host_.BarCount())) return std::nullopt;
  return home;
}

void BarSwitcher::SwitchTo(int n) {
  if (n == displayed_) return;
  displayed_ = n;
  host_.ShowDisplayedBar();
  const std::optional<HomeBarOptions> home = ValidHomeBar();
  if (home && (home->showOnLaunch || home->showOnTimer)) {
    returnPending_ = true;
    if (home->showOnTimer) host_.StartHomeTimer(home->showAfterMs);
  }
}

void BarSwitcher::Launch(int commandId) {
  if (LaunchOnly(commandId)) ReturnAfterLaunch();
}

bool BarSwitcher::LaunchOnly(int commandId) {
  if (!HasDisplayedBar()) return false;
  host_.LaunchButton(displayed_, commandId);
  return true;
}

void BarSwitcher::ReturnAfterLaunch() {
  const std::optional<HomeBarOptions> home = ValidHomeBar();
  if (home && returnPending_ && home->showOnLaunch && displayed_ != home->ordinal) {
    SwitchTo(home->ordinal);
    returnPending_ = false;
    if (home->showOnTimer) host_.StopHomeTimer();
  }
}

void BarSwitcher::OnHomeTimer() {
  const std::optional<HomeBarOptions> home = ValidHomeBar();
  if (home && home->ordinal != displayed_) SwitchTo(home->ordinal);
  host_.StopHomeTimer();
}
