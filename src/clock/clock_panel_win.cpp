#include "clock/clock_panel_win.h"

#include "core/message_texts.h"
#include "core/settings.h"
#include "clock/calendar_dialog_win.h"
#include "clock/clock_glyphs_win.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"
#include "resource.h"

namespace {

const char* const kClassName = "OrvantisClockPanel";

// Turned text runs upwards: 90 degrees in tenths.
constexpr LONG kUpwards = 900;

HCURSOR ClockCursor() {
  // A shared resource cursor: the system keeps it, nothing to destroy.
  return ::LoadCursorA(ResourceModule(), MAKEINTRESOURCEA(IDC_CLOCKHAND));
}

ClockShape ShapeOf(const Settings& s) {
  return {s.ShowCal != 0, s.ShowClock != 0, s.OneLine == 1};
}

}  // namespace

LocalTime ReadLocalTime() {
  SYSTEMTIME st = {};
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

ClockPanel::ClockPanel(const Settings& settings, MessageTexts& texts, std::function<int()> edge,
                       std::function<LocalTime()> now)
    : settings_(settings), messages_(texts), edge_(std::move(edge)), now_(std::move(now)) {}

bool ClockPanel::Create(HWND parent, const RECT& rect, DWORD exStyle) {
  return Window::Create(kClassName, "", WS_CHILD | WS_VISIBLE, exStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, nullptr, CS_DBLCLKS, ClockCursor());
}

const DateNames& ClockPanel::Names() {
  if (!namesRead_) {
    names_ = DateNamesFromMessages(messages_);
    namesRead_ = true;
  }
  return names_;
}

bool ClockPanel::ShowsSeconds() const { return settings_.Sec == 1 && settings_.ShowClock != 0; }

void ClockPanel::UpdateTexts() {
  const LocalTime now = now_();
  texts_ = BuildClockTexts(settings_, now, Names());
  stale_ = false;
  // The settings may have turned the seconds on or off: the ticks follow.
  if (Hwnd() && armedSeconds_ != ShowsSeconds()) Arm(now);
}

int ClockPanel::Dpi() const {
  if (dpi_ > 0) return dpi_;
  return Hwnd() ? WindowDpi(Hwnd()) : SystemDpi();
}

int ClockPanel::GetLength() {
  if (!Hwnd()) return ClockLengthWithoutWindow({Dpi()});
  UpdateTexts();
  return MeasureLength();
}

HDC ClockPanel::MeasureDC() {
  if (!measureDc_) measureDc_.Reset(::CreateCompatibleDC(nullptr));
  return measureDc_.Get();
}

int ClockPanel::MeasureLength() {
  HDC dc = MeasureDC();
  SelectScope selected(dc, measureFont_.Get(settings_.Font, 0, Dpi()));
  return ClockPanelLength(texts_, ShapeOf(settings_), measureFont_.MeasureIn(dc));
}

RECT ClockPanel::GetRect(int edge) {
  UpdateTexts();
  int thickness = 0;
  {
    HDC dc = MeasureDC();
    SelectScope selected(dc, measureFont_.Get(settings_.Font, 0, Dpi()));
    thickness = ClockPanelThickness(texts_, ShapeOf(settings_), measureFont_.MeasureIn(dc), {Dpi()});
  }
  PanelSize size = ClockPanelSize(edge, GetLength(), thickness);
  return {0, 0, size.Width, size.Height};
}

void ClockPanel::Arm(const LocalTime& now) {
  const bool seconds = ShowsSeconds();
  const int wanted = DelayToNextTick(now, seconds);
  const int delay = seconds == armedSeconds_ ? DelayToRearm(wanted, armedDelay_) : wanted;
  if (delay == 0) return;
  ::SetTimer(Hwnd(), kTimerId, static_cast<UINT>(delay), nullptr);
  armedDelay_ = delay;
  armedSeconds_ = seconds;
}

bool ClockPanel::OnScreen() {
  if (!::IsWindowVisible(Hwnd())) return false;
  RECT r = {};
  ::GetWindowRect(Hwnd(), &r);
  // The monitors are asked only when the panel has moved (the bar slid or
  // docked again): asking costs more than the rest of a tick.
  if (!::EqualRect(&r, &screenRect_)) {
    screenRect_ = r;
    onScreen_ = ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
  }
  return onScreen_;
}

void ClockPanel::OnTick() {
  const LocalTime now = now_();
  if (OnScreen()) {
    Refresh(now, true);
  } else {
    stale_ = true;  // brought up to date when next painted
  }
  Arm(now);
}

void ClockPanel::ClockChanged() {
  if (!Hwnd()) return;
  armedDelay_ = 0;  // the armed tick was set from the old time
  OnTick();
}

void ClockPanel::Refresh(const LocalTime& now, bool drawNow) {
  ClockTexts next = BuildClockTexts(settings_, now, Names());
  stale_ = false;
  const ClockShape shape = ShapeOf(settings_);
  const ClockRepaint repaint = RepaintAfterTick(texts_, next, shape);
  if (repaint == ClockRepaint::kNothing) return;
  texts_ = std::move(next);
  RECT client = {};
  ::GetClientRect(Hwnd(), &client);
  RECT area = client;
  if (repaint == ClockRepaint::kTimeLine) {
    HDC dc = MeasureDC();
    SelectScope selected(dc, measureFont_.Get(settings_.Font, 0, Dpi()));
    const int edge = edge_ ? edge_() : settings_.Edge;
    const ClientRect c{client.left, client.top, client.right, client.bottom};
    const auto placed = PlaceClockTexts(edge, c, texts_, shape, measureFont_.MeasureIn(dc), {Dpi()});
    if (!placed.empty()) {
      const ClientRect line = TimeLineArea(edge, c, placed.back());
      area = {line.Left, line.Top, line.Right, line.Bottom};
    }
  }
  if (drawNow) {
    DrawNow(area);
  } else {
    ::InvalidateRect(Hwnd(), &area, FALSE);  // the paint fills the background itself
  }
  if (lengthWatcher_) lengthWatcher_(MeasureLength());
}

// A tick draws at once: a paint message would take the program through its
// message loop once more every second, which costs more than the drawing.
void ClockPanel::DrawNow(const RECT& area) {
  WindowDC dc(Hwnd());
  if (!dc.Get()) {
    ::InvalidateRect(Hwnd(), &area, FALSE);
    return;
  }
  ::IntersectClipRect(dc.Get(), area.left, area.top, area.right, area.bottom);
  Paint(dc.Get());
}

HDC ClockPanel::BackBuffer(HDC dc, int width, int height) {
  if (backDc_ && backSize_.cx == width && backSize_.cy == height) return backDc_.Get();
  backDc_.Reset();
  backBitmap_.Reset(::CreateCompatibleBitmap(dc, width, height));
  if (!backBitmap_) return nullptr;
  backDc_.Reset(::CreateCompatibleDC(dc));
  if (!backDc_) return nullptr;
  ::SelectObject(backDc_.Get(), backBitmap_.Get());
  backSize_ = {width, height};
  return backDc_.Get();
}

void ClockPanel::Paint(HDC dc) {
  RECT area = {};
  if (::GetClipBox(dc, &area) == NULLREGION) return;  // nothing of it can be seen
  RECT client = {};
  ::GetClientRect(Hwnd(), &client);
  HDC memory = BackBuffer(dc, client.right - client.left, client.bottom - client.top);
  if (!memory) {
    PaintContent(dc, client, area);  // no memory to spare: straight onto the screen
    return;
  }
  PaintContent(memory, client, area);
  ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left, area.top,
           SRCCOPY);
}

void ClockPanel::PaintContent(HDC dc, const RECT& client, const RECT& area) {
  const Settings& settings = settings_;
  // Only the area asked for is drawn; the rest of the buffer keeps its picture.
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  ::SetDCBrushColor(dc, static_cast<COLORREF>(settings.ColorClockBk));
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  ::SetTextColor(dc, static_cast<COLORREF>(settings.ColorText));
  ::SetBkMode(dc, TRANSPARENT);

  const int edge = edge_ ? edge_() : settings.Edge;
  const int dpi = Dpi();
  {
    // Upright text is drawn in the font it was measured in, whose extents are kept.
    KeptClockFont& font = IsVerticalEdge(edge) ? turnedFont_ : measureFont_;
    SelectScope selected(dc, font.Get(settings_.Font, IsVerticalEdge(edge) ? kUpwards : 0, dpi));
    const ClientRect whole{client.left, client.top, client.right, client.bottom};
    for (const PlacedText& text : PlaceClockTexts(edge, whole, texts_, ShapeOf(settings_), font.MeasureIn(dc), {dpi}))
      DrawClockText(dc, text.X, text.Y, text.Text);
  }
  ::RestoreDC(dc, saved);
}

void ClockPanel::OpenCalendar() {
  CalendarDialog calendar(messages_);
  calendar.DoModal(Hwnd());
}

LRESULT ClockPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      UpdateTexts();
      Arm(now_());
      return 0;
    case WM_TIMER:
      if (wp != kTimerId) break;
      OnTick();
      return 0;
    case WM_PAINT: {
      // Ticks passed while the panel was off the screen: it shows now.
      if (stale_) Refresh(now_(), false);
      PaintScope paint(Hwnd());
      Paint(paint.Get());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      ::SetCursor(ClockCursor());
      break;
    case WM_LBUTTONDOWN:
      OpenCalendar();
      ::SetCursor(ClockCursor());
      break;
  }
  return DefaultProc(msg, wp, lp);
}
