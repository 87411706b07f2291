// The digit tips the keyboard draws in the corner of the first ten buttons
// while it has the bar.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "barwnd/window/bar_hotkey_win.h"
#include "barwnd/window/bar_toolbar_win.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"

namespace {

// The digits are drawn in the system's status-bar font at the toolbar's
// display scale, so they keep their size beside icons that grow with it.
UniqueFont DigitFont(HWND toolbar) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return UniqueFont();
  const LOGFONTA font = FontAtDpi(metrics.lfStatusFont, WindowDpi(toolbar));
  return UniqueFont(::CreateFontIndirectA(&font));
}

}  // namespace

LRESULT BarKeyboard::OnCustomDraw(NMTBCUSTOMDRAW* draw) {
  if (!active_) return CDRF_DODEFAULT;
  if (const std::optional<LRESULT> answer = AnswerBeforeItemPostPaint(draw->nmcd)) return *answer;
  const int index =
      static_cast<int>(::SendMessageA(draw->nmcd.hdr.hwndFrom, TB_COMMANDTOINDEX, draw->nmcd.dwItemSpec, 0));
  const int digit = DigitShown(index);
  if (digit < 0) return CDRF_DODEFAULT;
  const char text[2] = {static_cast<char>('0' + digit), 0};
  HDC dc = draw->nmcd.hdc;
  const UniqueFont font = DigitFont(draw->nmcd.hdr.hwndFrom);
  const int saved = ::SaveDC(dc);
  ::SelectObject(dc, font ? static_cast<HGDIOBJ>(font.Get()) : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, ::GetSysColor(COLOR_INFOBK));
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  RECT corner = draw->nmcd.rc;
  ::DrawTextA(dc, text, 1, &corner, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
  // The font is let go of after the device context stops holding it.
  ::RestoreDC(dc, saved);
  return CDRF_DODEFAULT;
}
