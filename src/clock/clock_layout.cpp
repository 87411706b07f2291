#include "clock/clock_layout.h"

#include <algorithm>

namespace {

int WidthOf(const std::string& text, const TextMeasure& measure) {
  return text.empty() ? 0 : measure(text).Width;
}

// The first line's height: the date's when it is shown, else the time's.
int FirstLineHeight(const ClockTexts& texts, const ClockShape& shape, const TextMeasure& measure) {
  if (shape.ShowDate) return measure(texts.Date).Height;
  if (shape.ShowTime) return measure(texts.Time).Height;
  return 0;
}

// Where a text of `width` starts so that it sits centred along a turned panel;
// the text runs upwards from the returned y.
int UpwardStart(const ClientRect& c, int width) { return c.Bottom - (c.Bottom - c.Top - width) / 2 - c.Top; }

int CentredLeft(const ClientRect& c, int width) { return (c.Right - width - c.Left) / 2; }

}  // namespace

TextExtent TextExtentMemo::Measure(const std::string& text, const TextMeasure& measure) {
  const auto found = std::find_if(kept_.begin(), kept_.end(), [&](const auto& kept) { return kept.first == text; });
  if (found != kept_.end()) {
    std::rotate(found, found + 1, kept_.end());
    return kept_.back().second;
  }
  if (kept_.size() >= kKept) kept_.erase(kept_.begin());
  kept_.emplace_back(text, measure(text));
  return kept_.back().second;
}

int DelayToNextSecond(int millisecond) {
  return 1000 - std::clamp(millisecond, 0, 999) + kTickMarginMilliseconds;
}

int DelayToNextTick(const LocalTime& now, bool seconds) {
  const int toNextSecond = DelayToNextSecond(now.Millisecond);
  if (seconds) return toNextSecond;
  return (59 - std::clamp(now.Second, 0, 59)) * 1000 + toNextSecond;
}

int DelayToRearm(int wantedDelay, int armedDelay) {
  const int off = wantedDelay - armedDelay;
  return armedDelay > 0 && off >= -kTickMarginMilliseconds && off <= kTickMarginMilliseconds ? 0 : wantedDelay;
}

ClockRepaint RepaintAfterTick(const ClockTexts& shown, const ClockTexts& next, const ClockShape& shape) {
  if (shown.Date != next.Date) return ClockRepaint::kAll;
  if (shown.Time == next.Time) return ClockRepaint::kNothing;
  return shape.OneLine ? ClockRepaint::kAll : ClockRepaint::kTimeLine;
}

ClientRect TimeLineArea(int edge, const ClientRect& client, const PlacedText& time) {
  if (IsVerticalEdge(edge)) return {std::max(client.Left, time.X), client.Top, client.Right, client.Bottom};
  return {client.Left, std::max(client.Top, time.Y), client.Right, client.Bottom};
}

int ClockLengthWithoutWindow(DisplayScale scale) { return scale.Px(kClockLengthWithoutWindow); }

FontRecord ClockFontAt(const FontRecord& chosen, DisplayScale scale) {
  FontRecord font = chosen;
  font.Height = scale.Px(chosen.Height);
  font.Width = scale.Px(chosen.Width);
  return font;
}

bool IsVerticalEdge(int edge) { return edge == 0 || edge == 2; }

int ClockPanelLength(const ClockTexts& texts, const ClockShape& shape, const TextMeasure& measure) {
  const int date = WidthOf(texts.Date, measure);
  const int time = WidthOf(texts.Time, measure);
  const int length = shape.OneLine ? date + measure(kClockLineGap).Width + time : std::max(date, time);
  // Integer form of "length × 1.1, fraction cut off".
  return length * 11 / 10;
}

int ClockPanelThickness(const ClockTexts& texts, const ClockShape& shape, const TextMeasure& measure,
                        DisplayScale scale) {
  return FirstLineHeight(texts, shape, measure) * (shape.OneLine ? 1 : 2) + scale.Px(4);
}

PanelSize ClockPanelSize(int edge, int length, int thickness) {
  if (IsVerticalEdge(edge)) return {thickness, length};
  return {length, thickness};
}

std::vector<PlacedText> PlaceClockTexts(int edge, const ClientRect& client, const ClockTexts& texts,
                                        const ClockShape& shape, const TextMeasure& measure,
                                        DisplayScale scale) {
  std::vector<PlacedText> placed;
  const int inset = scale.Px(1);
  const bool vertical = IsVerticalEdge(edge);
  const int dateWidth = shape.ShowDate ? WidthOf(texts.Date, measure) : 0;
  const int timeWidth = shape.ShowTime ? WidthOf(texts.Time, measure) : 0;

  if (shape.OneLine) {
    if (!shape.ShowDate && !shape.ShowTime) return placed;
    std::string line;
    int width = 0;
    if (shape.ShowDate && shape.ShowTime) {
      line = texts.Date + kClockLineGap + texts.Time;
      width = dateWidth + measure(kClockLineGap).Width + timeWidth;
    } else if (shape.ShowDate) {
      line = texts.Date;
      width = dateWidth;
    } else {
      line = texts.Time;
      width = timeWidth;
    }
    if (vertical) {
      placed.push_back({line, 0, UpwardStart(client, width)});
    } else {
      placed.push_back({line, CentredLeft(client, width), inset});
    }
    return placed;
  }

  // Two lines: the time keeps the second line even when the date is off.
  const int secondLine = FirstLineHeight(texts, shape, measure);
  if (shape.ShowDate) {
    if (vertical) {
      placed.push_back({texts.Date, inset, UpwardStart(client, dateWidth)});
    } else {
      placed.push_back({texts.Date, CentredLeft(client, dateWidth), inset});
    }
  }
  if (shape.ShowTime) {
    if (vertical) {
      placed.push_back({texts.Time, secondLine, UpwardStart(client, timeWidth)});
    } else {
      placed.push_back({texts.Time, CentredLeft(client, timeWidth), secondLine});
    }
  }
  return placed;
}
