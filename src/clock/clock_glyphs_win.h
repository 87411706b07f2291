// The clock's font as the panel keeps it, and its text calls.
#pragma once

#include <windows.h>

#include <string>

#include "clock/clock_layout.h"
#include "core/settings.h"
#include "platform/handles_win.h"

// A font made for a record, a turn and a DPI, kept while they stay, with the
// extents of the texts measured in it (forgotten with the font).
class KeptClockFont {
 public:
  HFONT Get(const FontRecord& record, LONG turn, int dpi);
  // Measures in `dc`, which must have this font selected.
  TextMeasure MeasureIn(HDC dc);

 private:
  FontRecord record_;
  LONG turn_ = 0;
  int dpi_ = 0;
  UniqueFont font_;
  TextExtentMemo extents_;
};

// Measures and draws a text in the DC's font. A text of plain ASCII goes to
// the wide-character call: the narrow one converts through the code page of
// the font's character set on every call (1251 for the default clock font's
// Cyrillic set) and keeps that code page's table in memory for the run. Any
// other text is left to the narrow call and its conversion.
TextExtent ClockTextExtent(HDC dc, const std::string& text);
void DrawClockText(HDC dc, int x, int y, const std::string& text);
