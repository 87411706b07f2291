// A stand-in for the bar window in the options tests: a top-level window with
// a real clock panel, recording what the pages ask of the bar; and scripted
// answers for the colour dialog.
#pragma once

#include "support/pump_messages_win.h"
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/message_texts.h"
#include "core/settings.h"
#include "clock/clock_panel_win.h"
#include "options/options_dialogs_win.h"
#include "options/options_host.h"
#include "platform/html_help_win.h"
#include "platform/window_win.h"

class FakeBar : public OptionsHost {
 public:
  FakeBar(const Settings& settings, MessageTexts& texts) : settings_(settings), texts_(texts) {}
  bool Open();
  HWND Hwnd() const { return window_.Hwnd(); }
  ClockPanel* Panel() const { return panel_.get(); }

  void SetDialogOpen(bool open) override { calls.push_back(open ? "DialogOpen(1)" : "DialogOpen(0)"); }
  // Like the bar: the panel follows ShowBlock, ShowCal and ShowClock and is repainted.
  void RedockAfterOptions() override;
  void RebuildBackground() override { calls.push_back("Background"); }
  void RebuildAll() override { calls.push_back("RebuildAll"); }
  void ReactivateTooltips() override { calls.push_back("Tooltips"); }
  void ApplyOptions() override;
  void RepaintAll() override { calls.push_back("Repaint"); }
  void SetTrayIcon(bool shown) override { calls.push_back(shown ? "Tray(1)" : "Tray(0)"); }
  bool AddStartup() override {
    calls.push_back("AddStartup");
    return true;
  }
  void WriteSettings() override { calls.push_back("Write"); }

  std::vector<std::string> calls;

 private:
  void MatchPanel();

  const Settings& settings_;
  MessageTexts& texts_;
  class BarStandIn : public Window {};
  BarStandIn window_;
  std::unique_ptr<ClockPanel> panel_;
};

class ScriptedDialogs : public OptionsDialogs {
 public:
  bool ChooseColor(HWND, COLORREF& colour) override {
    initialColour = colour;
    if (!colourAnswer) return false;
    colour = *colourAnswer;
    return true;
  }
  // The real font dialog is driven by the end-to-end scenario.
  bool ChooseFont(HWND, LOGFONTA&, COLORREF&, int&) override { return false; }

  std::optional<COLORREF> colourAnswer;
  COLORREF initialColour = 0;
};

class RecordingHelp : public HelpViewer {
 public:
  bool ShowTopic(const std::string& topic) override {
    topics.push_back(topic);
    return true;
  }
  std::vector<std::string> topics;
};

// The colour at a point of a window's client area, painted through WM_PRINTCLIENT.
COLORREF PrintedColourAt(HWND hwnd, int x, int y);
