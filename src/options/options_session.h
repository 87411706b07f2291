// One opening of the options sheet: the record as it was when the sheet opened,
// the bar operations the pages ask for, Cancel and the close.
#pragma once

#include <optional>
#include <vector>

#include "core/settings.h"
#include "options/options_host.h"
#include "platform/scope_end.h"

// What a change on a page asks the bar window to do, in the order given.
enum class BarOperation {
  kRedockAfterOptions,
  kRebuildBackground,
  kRebuildAll,
  kReactivateTooltips,
  kApplyOptions,
  kRepaint,
  kTrayIcon,   // shown or removed as SysTrayIcon says
  kAddStartup  // shortcut made or deleted as StartWindows says
};
using BarOperations = std::vector<BarOperation>;

class OptionsSession {
 public:
  // `settings` is the live record the bar window reads.
  OptionsSession(Settings& settings, OptionsHost& host) : settings_(settings), host_(host) {}
  OptionsSession(const OptionsSession&) = delete;
  OptionsSession& operator=(const OptionsSession&) = delete;

  Settings& Record() { return settings_; }
  const Settings& Snapshot() const { return snapshot_; }

  // Before the pages exist: the bar's dialog-open flag, then the snapshot.
  void Begin();
  // Asks the bar for each operation in turn.
  void Perform(const BarOperations& operations);
  // Cancel: the record as it was at Begin, shown again by the bar. The
  // tooltips, the tray icon and the start-up shortcut follow the restored
  // record too when a page moved them. Every shown page sends it; only the
  // first one has work to do.
  void Cancel();
  // The sheet has closed, by either button: written, flag cleared, repainted.
  // A session that goes without End (something threw) still clears the flag.
  void End();

 private:
  Settings& settings_;
  OptionsHost& host_;
  Settings snapshot_;
  // What the program page last gave the bar; empty while it gave nothing.
  std::optional<bool> trayShown_;
  std::optional<bool> startupOn_;
  bool tooltipsChanged_ = false;
  bool redocked_ = false;  // a page asked for a re-dock or a rebuild of everything
  bool cancelled_ = false;
  ScopeEnd dialogOpen_;  // last: the flag is cleared while the rest is still there
};
