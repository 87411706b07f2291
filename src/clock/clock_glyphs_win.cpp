#include "clock/clock_glyphs_win.h"

#include <algorithm>

#include "clock/clock_font_win.h"

namespace {

LOGFONTA ClockLogFont(const FontRecord& font, LONG turn, int dpi) {
  LOGFONTA lf = LogFontFromRecord(ClockFontAt(font, {dpi}));
  lf.lfEscapement = turn;
  lf.lfOrientation = turn;
  return lf;
}

// Every code page the system can make the ANSI code page, and the symbol
// fonts' byte-for-byte mapping, give the bytes below 0x80 their own code points.
bool Widens(const std::string& text, std::wstring& wide) {
  if (!std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return false;
  wide.assign(text.begin(), text.end());
  return true;
}

}  // namespace

HFONT KeptClockFont::Get(const FontRecord& wanted, LONG turn, int dpi) {
  if (!font_ || !(record_ == wanted) || turn_ != turn || dpi_ != dpi) {
    LOGFONTA lf = ClockLogFont(wanted, turn, dpi);
    font_.Reset(::CreateFontIndirectA(&lf));
    record_ = wanted;
    turn_ = turn;
    dpi_ = dpi;
    extents_.Forget();
  }
  return font_.Get();
}

TextMeasure KeptClockFont::MeasureIn(HDC dc) {
  return [this, dc](const std::string& text) {
    return extents_.Measure(text, [dc](const std::string& t) { return ClockTextExtent(dc, t); });
  };
}

TextExtent ClockTextExtent(HDC dc, const std::string& text) {
  SIZE size = {};
  std::wstring wide;
  if (Widens(text, wide)) {
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  } else {
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  }
  return {size.cx, size.cy};
}

void DrawClockText(HDC dc, int x, int y, const std::string& text) {
  std::wstring wide;
  if (Widens(text, wide)) {
    ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
  } else {
    ::TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
  }
}
