// How the bar window paints its own background: the maker's logo, or the
// program icon while minimised.
#include "core/message_texts.h"
#include "barwnd/window/bar_window_win.h"
#include "barwnd/window/logo_painter_win.h"
#include "platform/display_scale_win.h"
#include "platform/geometry_win.h"
#include "resource.h"
#include "core/message_ids.h"

HICON BarWindow::ProgramIcon() { return ::LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_MAINFRAME)); }

// The toolbars keep brushes of their own: they take the new colour too.
void BarWindow::RebuildBackground() {
  background_.Reset(::CreateSolidBrush(static_cast<COLORREF>(settings_.ColorBk)));
  children_.SetBackground(static_cast<COLORREF>(settings_.ColorBk));
  RepaintAll();
}

void BarWindow::RepaintAll() {
  if (Hwnd()) ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void BarWindow::Paint(HDC dc) {
  if (::IsIconic(Hwnd())) {
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    const int x = (client.right - MetricAt(SM_CXICON, children_.Dpi()) + 1) / 2;
    const int y = (client.bottom - MetricAt(SM_CYICON, children_.Dpi()) + 1) / 2;
    ::DrawIcon(dc, x, y, ProgramIcon());
  } else if (settings_.Logo) {
    const Rect window = WindowRectOf(Hwnd());
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    LogoContext logo;
    logo.edge = Edge();
    logo.posLeft = settings_.PosLeft != 0;
    logo.background = static_cast<COLORREF>(settings_.ColorBk);
    logo.window = {window.Width(), window.Height()};
    logo.client = {client.right, client.bottom};
    logo.taken = children_.OccupiedRects();
    if (HWND panel = ClockPanelWindow()) logo.panel = ChildRectOf(panel, Hwnd());
    logo.webAddress = texts_.Text(kMsgWebAddress);
    logo.dpi = children_.Dpi();
    PaintLogo(dc, logo);
  }
}

