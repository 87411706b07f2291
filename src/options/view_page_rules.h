// The view page: the button look, the three colour swatches, the standard
// colours and the clock font with its label.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "options/control_binding.h"
#include "platform/display_scale.h"
#include "platform/monitors.h"

// "Large buttons" and "Flat buttons".
const ControlBindings& ViewBindings();

// A colour swatch button and the colour it shows and sets.
struct Swatch {
  int id;
  int32_t Settings::*field;
  BarOperations operations;  // after a colour has been chosen
};
const std::vector<Swatch>& Swatches();
const Swatch* FindSwatch(int id);

// Stores the colour dialog's result (its initial colour when it was
// cancelled) and returns what the bar is to do.
BarOperations StoreChosenColor(const Swatch& swatch, uint32_t colour, Settings& settings);

// The system's button-face, window and window-text colours.
struct StandardColors {
  uint32_t buttonFace;
  uint32_t window;
  uint32_t windowText;
};
BarOperations UseStandardColors(const StandardColors& colors, Settings& settings);

// What the font dialog gave back when the user confirmed it.
struct ChosenFont {
  FontRecord font;
  uint32_t colour;
  int pointSizeTenths;
};
// The clock font is kept as it measures at 96 DPI, so that it keeps its point
// size whatever the display scale; the font dialog works in pixels of the
// page's scale. `dpi` is that scale (the dialog's answer is taken back to 96).
BarOperations StoreChosenFont(const ChosenFont& chosen, Settings& settings, int dpi = kBaseDpi);
// The kept font as the font dialog at `dpi` is to start from.
FontRecord FontAtScale(const FontRecord& kept, int dpi);

// "<face name>, <FontSize> pt".
std::string FontLabel(const Settings& settings);

// The "Monitor:" list: "Primary monitor" first, then every monitor as
// "<number>: <width> x <height>". A chosen monitor that is not connected now
// stays in the list, last, with `absentText` after it, so that the choice is
// kept while the page is open and is seen to be kept.
struct MonitorEntry {
  std::string label;
  MonitorChoice choice;
};
struct MonitorList {
  std::vector<MonitorEntry> entries;
  int selected = 0;  // the entry that shows the stored choice
};
MonitorList ListMonitorEntries(const Monitors& monitors, const MonitorChoice& stored, const std::string& primaryText,
                               const std::string& absentText);
// Stores the chosen entry; the bar docks again, on that monitor.
BarOperations StoreMonitorChoice(const MonitorEntry& entry, Settings& settings);
