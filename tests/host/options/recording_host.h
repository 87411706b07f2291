// An OptionsHost that writes down every request, with the record's values
// where the request depends on them.
#pragma once

#include <string>
#include <vector>

#include "options/options_host.h"

class RecordingHost : public OptionsHost {
 public:
  void SetDialogOpen(bool open) override { calls.push_back(open ? "DialogOpen(1)" : "DialogOpen(0)"); }
  void RedockAfterOptions() override { calls.push_back("Redock"); }
  void RebuildBackground() override { calls.push_back("Background"); }
  void RebuildAll() override { calls.push_back("RebuildAll"); }
  void ReactivateTooltips() override { calls.push_back("Tooltips"); }
  void ApplyOptions() override { calls.push_back("ApplyOptions"); }
  void RepaintAll() override { calls.push_back("Repaint"); }
  void SetTrayIcon(bool shown) override { calls.push_back(shown ? "Tray(1)" : "Tray(0)"); }
  bool AddStartup() override {
    calls.push_back("AddStartup");
    return true;
  }
  void WriteSettings() override { calls.push_back("Write"); }

  std::vector<std::string> calls;
};
