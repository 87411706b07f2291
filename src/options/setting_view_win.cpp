#include "options/setting_view_win.h"

#include <algorithm>

#include "clock/clock_font_win.h"
#include "options/view_page_rules.h"
#include "core/message_ids.h"
#include "options_ids.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"
#include "platform/monitors_win.h"
#include "resource.h"

CSettingView::CSettingView(MessageTexts& texts, OptionsSession& session, HelpViewer& help,
                           OptionsDialogs& dialogs)
    : OptionsPage(texts.TemplateId(IDD_SETTING_VIEW), session, help, "set_view.htm"),
      dialogs_(dialogs),
      texts_(texts) {}

BOOL CSettingView::OnInitDialog() {
  ShowBindings(ViewBindings());
  ::SetDlgItemTextA(Hwnd(), IDC_VIEW_FONT_LABEL, FontLabel(Record()).c_str());
  FillMonitors();
  return TRUE;
}

bool CSettingView::OnCommand(int id, int code, HWND) {
  if (id == IDC_VIEW_MONITOR && code == CBN_SELCHANGE) {
    ChooseMonitor();
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (const ControlBinding* binding = FindBinding(ViewBindings(), id)) {
    Perform(StoreControl(ViewBindings(), id, ReadState(*binding), Record()).value());
  } else if (const Swatch* swatch = FindSwatch(id)) {
    ChooseColor(*swatch);
  } else if (id == IDC_VIEW_STANDARD) {
    UseStandardColors();
  } else if (id == IDC_VIEW_CHANGE_FONT) {
    ChooseFont();
  } else {
    return false;
  }
  return true;
}

bool CSettingView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_DRAWITEM && DrawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) {
    result = TRUE;
    return true;
  }
  return OptionsPage::HandleMessage(msg, wp, lp, result);
}

void CSettingView::ChooseColor(const Swatch& swatch) {
  // A cancelled dialog leaves the initial colour, so the field keeps its value.
  COLORREF colour = static_cast<COLORREF>(Record().*swatch.field);
  dialogs_.ChooseColor(Hwnd(), colour);
  Perform(StoreChosenColor(swatch, colour, Record()));
  RepaintPage();
}

void CSettingView::UseStandardColors() {
  const StandardColors colors = {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW),
                                 ::GetSysColor(COLOR_WINDOWTEXT)};
  Perform(::UseStandardColors(colors, Record()));
  RepaintPage();
}

void CSettingView::ChooseFont() {
  // The dialog measures in pixels of this page's scale.
  const int dpi = WindowDpi(Hwnd());
  LOGFONTA font = LogFontFromRecord(FontAtScale(Record().Font, dpi));
  COLORREF colour = static_cast<COLORREF>(Record().ColorText);
  int tenths = 0;
  if (!dialogs_.ChooseFont(Hwnd(), font, colour, tenths)) return;
  const BarOperations operations = StoreChosenFont({RecordFromLogFont(font), colour, tenths}, Record(), dpi);
  ::SetDlgItemTextA(Hwnd(), IDC_VIEW_FONT_LABEL, FontLabel(Record()).c_str());
  Perform(operations);
  // The text colour came with the font: its swatch shows it.
  RepaintPage();
}

bool CSettingView::DrawSwatch(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return false;
  const Swatch* swatch = FindSwatch(static_cast<int>(item.CtlID));
  if (!swatch) return false;
  UniqueBrush brush(::CreateSolidBrush(static_cast<COLORREF>(Record().*swatch->field)));
  ::FillRect(item.hDC, &item.rcItem, brush.Get());
  return true;
}

void CSettingView::RepaintPage() {
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CSettingView::FillMonitors() {
  monitors_ = ListMonitorEntries(ListMonitors(), ChosenMonitor(Record()), texts_.Text(kMsgPrimaryMonitor),
                                 texts_.Text(kMsgMonitorAbsent));
  HWND list = ::GetDlgItem(Hwnd(), IDC_VIEW_MONITOR);
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const MonitorEntry& entry : monitors_.entries)
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.label.c_str()));
  ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(monitors_.selected), 0);
  // The list drops down wide enough for its longest entry ("(not connected)")
  // beside its scroll bar.
  WindowDC dc(list);
  SelectScope font(dc.Get(), reinterpret_cast<HFONT>(::SendMessageA(list, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const MonitorEntry& entry : monitors_.entries) {
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc.Get(), entry.label.c_str(), static_cast<int>(entry.label.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
  }
  ::SendMessageA(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + MetricAt(SM_CXVSCROLL, WindowDpi(list))), 0);
}

void CSettingView::ChooseMonitor() {
  const LRESULT index = ::SendDlgItemMessageA(Hwnd(), IDC_VIEW_MONITOR, CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<size_t>(index) >= monitors_.entries.size()) return;
  Perform(StoreMonitorChoice(monitors_.entries[static_cast<size_t>(index)], Record()));
}
