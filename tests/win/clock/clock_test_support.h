// Helpers the clock panel and calendar tests share: a host window, a fake help
// viewer and a look at rendered pixels.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/html_help_win.h"
#include "platform/window_win.h"
#include "support/pump_messages_win.h"

// A plain top-level window standing in for the bar window.
class TestHostWindow : public Window {
 public:
  bool Open(int width, int height) {
    return Create("QrClockTestHost", "clock test host", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, width, height,
                  nullptr, nullptr, CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  }
};

class RecordingHelpViewer : public HelpViewer {
 public:
  bool ShowTopic(const std::string& topic) override {
    topics.push_back(topic);
    return true;
  }
  std::vector<std::string> topics;
};

// A top-down 32-bit picture of a window's client area, painted through
// WM_PRINTCLIENT into a memory bitmap.
struct ClientPicture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row by row, as 0x00BBGGRR

  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

ClientPicture PrintClient(HWND hwnd);

// The smallest rectangle around the pixels that differ from `background`;
// empty when there are none.
RECT BoundsOfNon(const ClientPicture& picture, COLORREF background);
