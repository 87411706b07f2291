#include "core/settings.h"

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

}  // namespace

Settings::Settings() {
  for (const SettingKey& k : SettingsTable()) {
    if (k.field.IsFaceName())
      k.field.SetText(*this, "");
    else
      k.field.Set(*this, k.def);
  }
}

void Settings::Load(Profile& p) {
  for (const SettingKey& k : SettingsTable()) {
    if (k.field.IsFaceName())
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
    if (k.writtenOnceSet && k.field.Get(written) == k.def && !HasKey(p, k)) continue;
    if (k.field.IsFaceName())
      p.WriteString(k.section, k.key, k.field.GetText(written));
    else
      p.WriteInt(k.section, k.key, k.field.Get(written));
  }
}
