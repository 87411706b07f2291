// The bar window as the appbar controller sees it: its rectangle, its place
// and z-order, its timers and messages. Gathers the Windows input for
// AppBarController and applies what it decides.
#pragma once

#include <windows.h>

#include "barwnd/dock/appbar_shell.h"

class BarChildren;
class MessageTexts;
struct Settings;

class BarAppBarAdapter final : public AppBarWindow {
 public:
  BarAppBarAdapter(const Settings& settings, MessageTexts& texts, BarChildren& children)
      : settings_(settings), texts_(texts), children_(children) {}
  void SetBar(HWND bar) { bar_ = bar; }

  MonitorInfo BarMonitor() override;
  int BarThickness(int edge) override;
  int Dpi() override;
  Rect ScreenRect() override;
  void Place(const Rect& rect, ZOrder order, Activation activation) override;
  void SetZOrder(ZOrder order) override;
  void UpdateNow() override;
  uint32_t TickCount() override { return ::GetTickCount(); }
  bool Smoothly() override;
  void StartAutoHideTimer() override;
  void StopAutoHideTimer() override;
  void RebuildButtons() override;
  void ShowMessage(int id) override;
  FullScreenPlace FrontFullScreen(const Rect& barMonitor) override;

 private:
  const Settings& settings_;
  MessageTexts& texts_;
  BarChildren& children_;
  HWND bar_ = nullptr;
};
