// The clock and date panel: a child of the bar window that shows the date and
// the time, refreshed as the shown time turns (each second, or each minute
// when seconds are off), and opens the calendar when clicked. A tick draws
// only what changed, at once, and nothing while the panel is off the screen
// (a collapsed autohide bar): the texts are brought up to date when it is
// painted again.
#pragma once

#include <functional>
#include <string>

#include "clock/clock_glyphs_win.h"
#include "clock/clock_layout.h"
#include "clock/clock_text.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"

class MessageTexts;
struct Settings;

// The current local time from the system clock.
LocalTime ReadLocalTime();

class ClockPanel : public Window {
 public:
  // Ticks just after each turn of the shown time (DelayToNextTick).
  static constexpr UINT_PTR kTimerId = 1001;

  // The panel reads the clock settings (format, font, colours) live from
  // `settings`; `edge` tells the bar window's current edge (0 left, 1 top,
  // 2 right, 3 bottom); `now` reads the clock.
  ClockPanel(const Settings& settings, MessageTexts& texts, std::function<int()> edge,
             std::function<LocalTime()> now = ReadLocalTime);
  ~ClockPanel() override { Destroy(); }

  // Creates the panel as a visible child of the bar window.
  bool Create(HWND parent, const RECT& rect, DWORD exStyle = 0);

  // Reads the clock once and rebuilds both texts from the clock settings.
  void UpdateTexts();
  // Room wanted along the bar; 150 (at 96 DPI, scaled) before the window exists.
  int GetLength();
  // The panel's size for a bar on `edge`, as a rectangle at 0,0.
  RECT GetRect(int edge);
  // The DPI the panel measures and draws at: the one set by SetDpi, else its
  // window's (a child has its parent's), else the system's. Fonts are made
  // for it on every measure and paint, so after a change the next GetRect or
  // GetLength gives the new sizes.
  int Dpi() const;
  // The bar tells the panel the DPI of its WM_DPICHANGED (0: back to the
  // window's own).
  void SetDpi(int dpi) { dpi_ = dpi; }
  // Told on every tick the length the panel now wants, so the bar can lay
  // itself out again when a text has grown ("9:59" to "10:00") or shrunk.
  void WatchLength(std::function<void(int length)> watcher) { lengthWatcher_ = std::move(watcher); }

  // The system's clock, time zone or time formats changed: the texts follow
  // at once and the tick is set anew from the new time, so a clock ticking
  // once a minute is not up to a minute behind.
  void ClockChanged();

  const std::string& DateText() const { return texts_.Date; }
  const std::string& TimeText() const { return texts_.Time; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // The stored texts measured in the settings' font.
  int MeasureLength();
  // A screen-compatible memory DC to measure in, window or not.
  HDC MeasureDC();
  const DateNames& Names();
  bool ShowsSeconds() const;
  void Arm(const LocalTime& now);
  void OnTick();
  // Rebuilds the texts from `now` and draws what changed, at once or, from a
  // paint, by adding it to the area to paint.
  void Refresh(const LocalTime& now, bool drawNow);
  void DrawNow(const RECT& area);
  bool OnScreen();
  // Paints the part of the panel inside the DC's clipping through a memory
  // bitmap kept for the panel's size, so the ticking text never flickers.
  void Paint(HDC dc);
  HDC BackBuffer(HDC dc, int width, int height);
  void PaintContent(HDC dc, const RECT& client, const RECT& area);
  void OpenCalendar();

  const Settings& settings_;
  MessageTexts& messages_;
  std::function<int()> edge_;
  std::function<LocalTime()> now_;
  std::function<void(int)> lengthWatcher_;
  ClockTexts texts_;
  int dpi_ = 0;
  DateNames names_;
  bool namesRead_ = false;
  int armedDelay_ = 0;
  bool armedSeconds_ = true;
  bool stale_ = false;  // a tick passed while off the screen
  RECT screenRect_ = {};
  bool onScreen_ = false;
  KeptClockFont measureFont_;  // upright: measures, and paints on the top and bottom edges
  KeptClockFont turnedFont_;   // paints on the left and right edges
  UniqueDC measureDc_;
  // The back buffer: the bitmap outlives the DC it is selected into.
  UniqueBitmap backBitmap_;
  UniqueDC backDc_;
  SIZE backSize_ = {};
};
