// Size and text positions of the clock panel, computed from text extents that
// the caller measures in the panel's font. Margins are written for 96 DPI and
// scaled to the panel's DisplayScale.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "clock/clock_text.h"
#include "core/settings.h"
#include "platform/display_scale.h"

struct TextExtent {
  int Width = 0;
  int Height = 0;
};

// Measures one text in the font the caller has selected.
using TextMeasure = std::function<TextExtent(const std::string&)>;

// The extents of texts measured in one font. A tick would otherwise measure
// the date, the gap and the time again for its repaint, for the bar's layout
// and for the paint; with the memo it measures only the time that turned.
// The owner forgets it when the font changes.
class TextExtentMemo {
 public:
  static constexpr size_t kKept = 8;
  TextExtent Measure(const std::string& text, const TextMeasure& measure);
  void Forget() { kept_.clear(); }

 private:
  std::vector<std::pair<std::string, TextExtent>> kept_;  // the latest used last
};

// Which parts the panel shows ("ShowCal", "ShowClock") and how ("OneLine").
struct ClockShape {
  bool ShowDate = true;
  bool ShowTime = true;
  bool OneLine = false;
};

// The gap between date and time on one line.
inline constexpr const char* kClockLineGap = "  ";

// What the bar window gets before the panel has a window to measure with (at
// 96 DPI; ClockLengthWithoutWindow scales it).
inline constexpr int kClockLengthWithoutWindow = 150;
int ClockLengthWithoutWindow(DisplayScale scale);

// The clock font to create at `scale`. The settings keep the font the user
// chose as its height at 96 DPI; at another scale the same point size needs
// more pixels. The stored record is never changed.
FontRecord ClockFontAt(const FontRecord& chosen, DisplayScale scale);

// A timer of a fixed 1000 ms drifts against the clock, and the panel would now
// and then show a second twice or skip one. Each tick is therefore set for just
// after the next whole second, given the milliseconds of the current reading;
// the margin covers the coarse millisecond count of older systems (about 16 ms
// a step), so a tick never lands before the second has turned.
inline constexpr int kTickMarginMilliseconds = 20;
int DelayToNextSecond(int millisecond);

// The delay to the tick at which the shown time next changes: the next whole
// second, or without seconds the next whole minute, read from `now`.
int DelayToNextTick(const LocalTime& now, bool seconds);

// A tick re-arms its timer only when the timer's period would put the next
// tick too far from the turn it is meant for: a periodic timer that lands
// just after the turn keeps landing there, and setting it again costs a call
// to the system on every tick. Returns the delay to arm, or 0 to keep the
// armed one.
int DelayToRearm(int wantedDelay, int armedDelay);

// What a tick paints again: nothing when the texts did not change, the time's
// line alone when only the time changed and it has a line of its own, the
// whole panel otherwise (the date changed, or one line holds both).
enum class ClockRepaint { kNothing, kTimeLine, kAll };
ClockRepaint RepaintAfterTick(const ClockTexts& shown, const ClockTexts& next, const ClockShape& shape);

// Left and right bars turn the panel's text by 90 degrees.
bool IsVerticalEdge(int edge);

// The room the panel wants along the bar: the texts' length with a tenth added,
// the fraction cut off.
int ClockPanelLength(const ClockTexts& texts, const ClockShape& shape, const TextMeasure& measure);

// The room across the bar: one or two text lines and 4 pixels.
int ClockPanelThickness(const ClockTexts& texts, const ClockShape& shape, const TextMeasure& measure,
                        DisplayScale scale = {});

struct PanelSize {
  int Width = 0;
  int Height = 0;
};

// Length runs along the bar: downwards on the left and right edges, across on
// the top and bottom ones (also for edge numbers outside 0..3).
PanelSize ClockPanelSize(int edge, int length, int thickness);

struct ClientRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// One text to draw with its reference point (for turned text the point where
// the upward-running baseline starts).
struct PlacedText {
  std::string Text;
  int X = 0;
  int Y = 0;
};

// The texts to draw and where, centred along the bar; parts that are off are
// left out. On one line the date and time share one text. The texts keep a
// pixel (at 96 DPI) from the panel's top, or its left when turned.
// The band of the panel that the time's own line covers, from where the time
// was placed (across the panel from its reference point to the far side).
ClientRect TimeLineArea(int edge, const ClientRect& client, const PlacedText& time);

std::vector<PlacedText> PlaceClockTexts(int edge, const ClientRect& client, const ClockTexts& texts,
                                        const ClockShape& shape, const TextMeasure& measure,
                                        DisplayScale scale = {});
