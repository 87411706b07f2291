#include "clock/clock_panel_win.h"

#include "core/message_texts.h"
#include "core/settings.h"
#include "clock/calendar_dialog_win.h"
#include "clock/clock_font_win.h"
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

LOGFONTA ClockLogFont(const FontRecord& font, LONG turn, int dpi) {
  LOGFONTA lf = LogFontFromRecord(ClockFontAt(font, {dpi}));
  lf.lfEscapement = turn;
  lf.lfOrientation = turn;
  return lf;
}

UniqueFont CreateClockFont(const FontRecord& record, LONG turn, int dpi) {
  LOGFONTA lf = ClockLogFont(record, turn, dpi);
  return UniqueFont(::CreateFontIndirectA(&lf));
}

TextMeasure MeasureIn(HDC dc) {
  return [dc](const std::string& text) {
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return TextExtent{size.cx, size.cy};
  };
}

ClockShape ShapeOf(const Settings& s) {
  return {s.ShowCal != 0, s.ShowClock != 0, s.OneLine == 1};
}

}  // namespace

LocalTime ReadLocalTime() {
  SYSTEMTIME st = {};
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

ClockPanel::ClockPanel(const Settings& settings, MessageTexts& texts, std::function<int()> edge,
                       std::function<LocalTime()> now)
    : settings_(settings), messages_(texts), edge_(std::move(edge)), now_(std::move(now)) {}

bool ClockPanel::Create(HWND parent, const RECT& rect, DWORD exStyle) {
  return Window::Create(kClassName, "", WS_CHILD | WS_VISIBLE, exStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, nullptr, CS_DBLCLKS, ClockCursor());
}

void ClockPanel::UpdateTexts() {
  texts_ = BuildClockTexts(settings_, now_(), DateNamesFromMessages(messages_));
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

int ClockPanel::MeasureLength() {
  WindowDC dc(Hwnd());
  UniqueFont font = CreateClockFont(settings_.Font, 0, Dpi());
  SelectScope selected(dc.Get(), font.Get());
  return ClockPanelLength(texts_, ShapeOf(settings_), MeasureIn(dc.Get()));
}

RECT ClockPanel::GetRect(int edge) {
  UpdateTexts();
  int thickness = 0;
  {
    // Before the panel exists the screen measures for it.
    WindowDC dc(Hwnd());
    UniqueFont font = CreateClockFont(settings_.Font, 0, Dpi());
    SelectScope selected(dc.Get(), font.Get());
    thickness = ClockPanelThickness(texts_, ShapeOf(settings_), MeasureIn(dc.Get()), {Dpi()});
  }
  PanelSize size = ClockPanelSize(edge, GetLength(), thickness);
  return {0, 0, size.Width, size.Height};
}

void ClockPanel::ScheduleNextTick() {
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  ::SetTimer(Hwnd(), kTimerId, static_cast<UINT>(DelayToNextSecond(now.wMilliseconds)), nullptr);
}

void ClockPanel::OnTick() {
  UpdateTexts();
  // The paint fills the background itself.
  ::InvalidateRect(Hwnd(), nullptr, FALSE);
  ScheduleNextTick();
  if (lengthWatcher_) lengthWatcher_(MeasureLength());
}

void ClockPanel::Paint(HDC dc) {
  RECT client = {};
  ::GetClientRect(Hwnd(), &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  UniqueDC memory(::CreateCompatibleDC(dc));
  UniqueBitmap picture(memory ? ::CreateCompatibleBitmap(dc, width, height) : nullptr);
  if (!picture) {
    PaintContent(dc, client);  // no memory to spare: straight onto the screen
    return;
  }
  {
    SelectScope selected(memory.Get(), picture.Get());
    PaintContent(memory.Get(), client);
    ::BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
  }
}

void ClockPanel::PaintContent(HDC dc, const RECT& client) {
  const Settings& settings = settings_;
  UniqueBrush background(::CreateSolidBrush(static_cast<COLORREF>(settings.ColorClockBk)));
  ::FillRect(dc, &client, background.Get());
  ::SetTextColor(dc, static_cast<COLORREF>(settings.ColorText));
  ::SetBkMode(dc, TRANSPARENT);

  const int edge = edge_ ? edge_() : settings.Edge;
  const int dpi = Dpi();
  UniqueFont font = CreateClockFont(settings_.Font, IsVerticalEdge(edge) ? kUpwards : 0, dpi);
  SelectScope selected(dc, font.Get());
  const ClientRect area{client.left, client.top, client.right, client.bottom};
  for (const PlacedText& text : PlaceClockTexts(edge, area, texts_, ShapeOf(settings_), MeasureIn(dc), {dpi})) {
    ::TextOutA(dc, text.X, text.Y, text.Text.c_str(), static_cast<int>(text.Text.size()));
  }
}

void ClockPanel::OpenCalendar() {
  CalendarDialog calendar(messages_);
  calendar.DoModal(Hwnd());
}

LRESULT ClockPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      UpdateTexts();
      ScheduleNextTick();
      return 0;
    case WM_TIMER:
      if (wp != kTimerId) break;
      OnTick();
      return 0;
    case WM_PAINT: {
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
