#include "options_test_support.h"

#include "platform/handles_win.h"

bool FakeBar::Open() {
  if (!window_.Create("QrOptionsTestBar", "options test bar", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 600, 60,
                      nullptr, nullptr, CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
    return false;
  }
  MatchPanel();
  return true;
}

void FakeBar::MatchPanel() {
  const Settings& s = settings_;
  const bool wanted = s.ShowBlock != 0 && (s.ShowCal != 0 || s.ShowClock != 0);
  if (!wanted) {
    panel_.reset();
    return;
  }
  if (!panel_) {
    auto panel = std::make_unique<ClockPanel>(settings_, texts_, [] { return 1; });
    RECT rect = panel->GetRect(1);
    if (!panel->Create(window_.Hwnd(), rect)) return;
    panel_ = std::move(panel);
  }
  panel_->UpdateTexts();
  ::InvalidateRect(panel_->Hwnd(), nullptr, FALSE);
}

void FakeBar::RedockAfterOptions() {
  calls.push_back("Redock");
  MatchPanel();
}

void FakeBar::ApplyOptions() {
  calls.push_back("ApplyOptions");
  MatchPanel();
}

COLORREF PrintedColourAt(HWND hwnd, int x, int y) {
  RECT client = {};
  ::GetClientRect(hwnd, &client);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  WindowDC screen(nullptr);
  UniqueBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDC memory(::CreateCompatibleDC(screen.Get()));
  if (!bitmap || !memory || !bits || x >= client.right || y >= client.bottom) return CLR_INVALID;
  {
    SelectScope selected(memory.Get(), bitmap.Get());
    // Something no swatch is painted in, so that an unpainted button shows.
    UniqueBrush marker(::CreateSolidBrush(RGB(1, 2, 3)));
    ::FillRect(memory.Get(), &client, marker.Get());
    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
    ::GdiFlush();
  }
  const DWORD pixel = static_cast<const DWORD*>(bits)[y * client.right + x];  // 0x00RRGGBB in a DIB
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
