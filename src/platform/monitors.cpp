#include "platform/monitors.h"

#include <cctype>
#include <functional>

namespace {

int FirstWhere(const Monitors& monitors, const std::function<bool(const MonitorInfo&)>& test) {
  for (size_t i = 0; i < monitors.size(); ++i) {
    if (test(monitors[i])) return static_cast<int>(i);
  }
  return -1;
}

bool SameSize(const Rect& a, const Rect& b) { return a.Width() == b.Width() && a.Height() == b.Height(); }

}  // namespace

int PrimaryMonitorIndex(const Monitors& monitors) {
  if (monitors.empty()) return -1;
  int found = FirstWhere(monitors, [](const MonitorInfo& m) { return m.primary; });
  if (found < 0) found = FirstWhere(monitors, [](const MonitorInfo& m) { return m.rect.left == 0 && m.rect.top == 0; });
  return found < 0 ? 0 : found;
}

int FindChosenMonitor(const Monitors& monitors, const MonitorChoice& choice) {
  if (choice.IsPrimary()) return PrimaryMonitorIndex(monitors);
  const std::function<bool(const MonitorInfo&)> rules[] = {
      [&](const MonitorInfo& m) { return m.name == choice.name && m.rect == choice.rect; },
      [&](const MonitorInfo& m) { return m.name == choice.name && SameSize(m.rect, choice.rect); },
      [&](const MonitorInfo& m) { return m.rect == choice.rect; },
      [&](const MonitorInfo& m) { return m.name == choice.name; },
  };
  for (const auto& rule : rules) {
    const int found = FirstWhere(monitors, rule);
    if (found >= 0) return found;
  }
  return -1;
}

std::optional<MonitorInfo> MonitorForBar(const Monitors& monitors, const MonitorChoice& choice) {
  int index = FindChosenMonitor(monitors, choice);
  if (index < 0) index = PrimaryMonitorIndex(monitors);
  if (index < 0) return std::nullopt;
  return monitors[static_cast<size_t>(index)];
}

MonitorChoice ChoiceOf(const MonitorInfo& monitor) { return {monitor.name, monitor.rect}; }

int MonitorNumber(const MonitorInfo& monitor, int index) {
  const std::string& name = monitor.name;
  size_t digits = name.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
  // Six digits at most: a name made of nothing but digits is no device name.
  if (digits == name.size() || digits == 0 || name.size() - digits > 6) return index + 1;
  return std::stoi(name.substr(digits));
}

Rect CentredIn(const Rect& area, Size size) {
  const int left = area.left + (area.Width() - size.cx) / 2;
  const int top = area.top + (area.Height() - size.cy) / 2;
  return Rect::FromOriginSize({left, top}, size);
}
