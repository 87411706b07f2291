// The bar window's one tooltip control. Its tools sit on the toolbars and
// subclass them, so the mouse messages the toolbars get reach the tooltip first.
#pragma once

#include <windows.h>

#include <string>

#include "platform/display_scale.h"
#include "platform/geometry.h"

class BarTooltip {
 public:
  // Long captions wrap at this width (at 96 DPI; scaled to the bar's).
  static constexpr int kMaxTipWidth = 300;
  static constexpr int kInitialDelayMs = 50;

  BarTooltip() = default;
  ~BarTooltip();
  BarTooltip(const BarTooltip&) = delete;
  BarTooltip& operator=(const BarTooltip&) = delete;

  // An always-tip tooltip with an initial delay of 50 ms, for a bar at `dpi`.
  bool Create(int dpi = kBaseDpi);
  HWND Hwnd() const { return hwnd_; }

  void Activate(bool on);
  // A tool with a fixed text; the tooltip keeps its own copy.
  void AddTool(HWND control, UINT id, const Rect& rect, const std::string& text);
  // A tool whose text is asked for (TTN_GETDISPINFO) every time it is shown.
  void AddCallbackTool(HWND control, UINT id, const Rect& rect);
  void RemoveTool(HWND control, UINT id);
  void UpdateText(HWND control, UINT id, const std::string& text);
  void SetMaxWidth(int dpi = kBaseDpi);

 private:
  HWND hwnd_ = nullptr;
};
