#include "options/view_page_rules.h"

#include <cstdio>
#include <cstring>

#include "options_ids.h"

namespace {

const BarOperations kRedock = {BarOperation::kRedockAfterOptions};

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

BarOperations StoreChosenFont(const ChosenFont& chosen, Settings& settings) {
  settings.Font = chosen.font;
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
