#include "core/settings.h"

#include <cstring>

#include "core/settings_table.h"
#include "platform/profile.h"

namespace {

// A byte keeps the low 8 bits of what was read; a number the program could
// not have written (a font 100000 pixels high) falls back to the default.
int32_t LoadedValue(const SettingKey& key, int32_t stored) {
  return key.field.IsByte() || key.range.Holds(stored) ? stored : key.def;
}

// Whether the file holds the key at all, whatever its value.
bool HasKey(Profile& p, const SettingKey& key) {
  constexpr const char* kAbsent = "\x01" "absent";
  return p.GetString(key.section, key.key, kAbsent) != kAbsent;
}

// Whether the value is the key's loaded default (the empty text for text).
bool IsDefault(const SettingKey& key, const Settings& settings) {
  if (key.field.IsText()) return key.field.GetText(settings).empty();
  return key.field.Get(settings) == key.def;
}

}  // namespace

MonitorChoice ChosenMonitor(const Settings& s) {
  return {std::string(s.Monitor, strnlen(s.Monitor, sizeof s.Monitor)),
          {s.MonitorLeft, s.MonitorTop, s.MonitorRight, s.MonitorBottom}};
}

void SetChosenMonitor(Settings& s, const MonitorChoice& choice) {
  // A name longer than the record holds is no name the system gives.
  const std::string name = choice.name.size() < sizeof s.Monitor ? choice.name : std::string();
  std::memset(s.Monitor, 0, sizeof s.Monitor);
  std::memcpy(s.Monitor, name.data(), name.size());
  // The primary monitor is whichever is primary: no rectangle goes with it.
  const Rect r = name.empty() ? Rect{} : choice.rect;
  s.MonitorLeft = r.left;
  s.MonitorTop = r.top;
  s.MonitorRight = r.right;
  s.MonitorBottom = r.bottom;
}

Settings::Settings() {
  for (const SettingKey& k : SettingsTable()) {
    if (k.field.IsText())
      k.field.SetText(*this, "");
    else
      k.field.Set(*this, k.def);
  }
}

void Settings::Load(Profile& p) {
  for (const SettingKey& k : SettingsTable()) {
    if (k.field.IsText())
      k.field.SetText(*this, p.GetString(k.section, k.key, ""));
    else
      k.field.Set(*this, LoadedValue(k, p.GetInt(k.section, k.key, k.def)));
  }
}

void Settings::Save(Profile& p, const LiveViewValues* live, int32_t displayedBar) {
  CurrentBar = displayedBar;
  // While the bar window exists it holds the current edge, autohide and
  // always-on-top values; they go to the file but not into the record.
  Settings written = *this;
  if (live) {
    written.AutoHide = live->AutoHide;
    written.AlwaysOnTop = live->AlwaysOnTop;
    written.Edge = live->Edge;
  }
  for (const SettingKey& k : SettingsTable()) {
    if (!k.written) continue;
    if (k.writtenOnceSet && IsDefault(k, written) && !HasKey(p, k)) continue;
    if (k.field.IsText())
      p.WriteString(k.section, k.key, k.field.GetText(written));
    else
      p.WriteInt(k.section, k.key, k.field.Get(written));
  }
}
