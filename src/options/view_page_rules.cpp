#include "options/view_page_rules.h"

#include <cstdio>
#include <cstring>

#include "options_ids.h"

namespace {

const BarOperations kRedock = {BarOperation::kRedockAfterOptions};

// `px` pixels at `from` DPI, at `to` DPI (rounded as ScalePx rounds).
int32_t Rescaled(int32_t px, int from, int to) {
  if (from <= 0) from = kBaseDpi;
  if (to <= 0) to = kBaseDpi;
  if (from == to) return px;
  const long long scaled = static_cast<long long>(px) * to;
  const long long half = from / 2;
  return static_cast<int32_t>(scaled >= 0 ? (scaled + half) / from : -((-scaled + half) / from));
}

FontRecord WithSizes(FontRecord font, int from, int to) {
  font.Height = Rescaled(font.Height, from, to);
  font.Width = Rescaled(font.Width, from, to);
  return font;
}

}  // namespace

const ControlBindings& ViewBindings() {
  static const ControlBindings bindings = {
      {IDC_VIEW_LARGE, ControlKind::kCheck, &Settings::LargeIcon, {BarOperation::kRebuildAll}},
      {IDC_VIEW_FLAT, ControlKind::kCheck, &Settings::FlatButtons, {BarOperation::kRebuildAll}},
  };
  return bindings;
}

const std::vector<Swatch>& Swatches() {
  static const std::vector<Swatch> swatches = {
      {IDC_VIEW_PANEL_BK, &Settings::ColorBk, {BarOperation::kRebuildBackground}},
      {IDC_VIEW_CLOCK_BK, &Settings::ColorClockBk, kRedock},
      {IDC_VIEW_TEXT_COLOR, &Settings::ColorText, kRedock},
  };
  return swatches;
}

const Swatch* FindSwatch(int id) {
  for (const Swatch& swatch : Swatches()) {
    if (swatch.id == id) return &swatch;
  }
  return nullptr;
}

BarOperations StoreChosenColor(const Swatch& swatch, uint32_t colour, Settings& settings) {
  settings.*swatch.field = static_cast<int32_t>(colour);
  return swatch.operations;
}

BarOperations UseStandardColors(const StandardColors& colors, Settings& settings) {
  settings.ColorBk = static_cast<int32_t>(colors.buttonFace);
  settings.ColorClockBk = static_cast<int32_t>(colors.window);
  settings.ColorText = static_cast<int32_t>(colors.windowText);
  return {BarOperation::kRedockAfterOptions, BarOperation::kRebuildBackground};
}

FontRecord FontAtScale(const FontRecord& kept, int dpi) { return WithSizes(kept, kBaseDpi, dpi); }

BarOperations StoreChosenFont(const ChosenFont& chosen, Settings& settings, int dpi) {
  settings.Font = WithSizes(chosen.font, dpi, kBaseDpi);
  settings.ColorText = static_cast<int32_t>(chosen.colour);
  settings.FontSize = chosen.pointSizeTenths / 10;  // whole points, towards zero
  return kRedock;
}

std::string FontLabel(const Settings& settings) {
  // A face name read from the file may fill all 32 bytes without an end.
  const char* face = settings.Font.FaceName;
  const std::string name(face, strnlen(face, sizeof(settings.Font.FaceName)));
  char label[96];
  std::snprintf(label, sizeof(label), "%s, %i pt", name.c_str(), static_cast<int>(settings.FontSize));
  return label;
}

namespace {

std::string MonitorLabel(int number, const Rect& rect) {
  char label[64];
  std::snprintf(label, sizeof(label), "%d: %d x %d", number, rect.Width(), rect.Height());
  return label;
}

}  // namespace

MonitorList ListMonitorEntries(const Monitors& monitors, const MonitorChoice& stored, const std::string& primaryText,
                               const std::string& absentText) {
  MonitorList list;
  list.entries.push_back({primaryText, {}});
  for (size_t i = 0; i < monitors.size(); ++i) {
    const MonitorInfo& monitor = monitors[i];
    list.entries.push_back({MonitorLabel(MonitorNumber(monitor, static_cast<int>(i)), monitor.rect), ChoiceOf(monitor)});
  }
  if (stored.IsPrimary()) return list;
  const int found = FindChosenMonitor(monitors, stored);
  if (found >= 0) {
    list.selected = found + 1;
    return list;
  }
  MonitorInfo absent;
  absent.name = stored.name;
  list.entries.push_back({MonitorLabel(MonitorNumber(absent, static_cast<int>(monitors.size())), stored.rect) +
                              absentText,
                          stored});
  list.selected = static_cast<int>(list.entries.size()) - 1;
  return list;
}

BarOperations StoreMonitorChoice(const MonitorEntry& entry, Settings& settings) {
  SetChosenMonitor(settings, entry.choice);
  return kRedock;
}
