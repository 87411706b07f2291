#include "options/options_session.h"

void OptionsSession::Begin() {
  if (!dialogOpen_.Pending()) {
    host_.SetDialogOpen(true);
    dialogOpen_ = ScopeEnd([this] { host_.SetDialogOpen(false); });
  }
  snapshot_ = settings_;
  host_.SetConfirmedSettings(&snapshot_);
}

void OptionsSession::Perform(const BarOperations& operations) {
  for (BarOperation operation : operations) {
    switch (operation) {
      case BarOperation::kRedockAfterOptions:
        redocked_ = true;
        host_.RedockAfterOptions();
        break;
      case BarOperation::kRebuildBackground: host_.RebuildBackground(); break;
      case BarOperation::kRebuildAll:
        redocked_ = true;
        host_.RebuildAll();
        break;
      case BarOperation::kReactivateTooltips:
        tooltipsChanged_ = true;
        host_.ReactivateTooltips();
        break;
      case BarOperation::kApplyOptions: host_.ApplyOptions(); break;
      case BarOperation::kRepaint: host_.RepaintAll(); break;
      case BarOperation::kTrayIcon:
        trayShown_ = settings_.SysTrayIcon != 0;
        host_.SetTrayIcon(*trayShown_);
        break;
      case BarOperation::kAddStartup:
        startupOn_ = settings_.StartWindows != 0;
        // A failure has been reported by AddStartup; the check box keeps its value.
        host_.AddStartup();
        break;
    }
  }
}

void OptionsSession::Cancel() {
  if (cancelled_) return;
  cancelled_ = true;
  settings_ = snapshot_;
  host_.ApplyOptions();
  if (redocked_) host_.RedockAfterOptions();
  // ApplyOptions leaves the tooltips, the tray icon and the shortcut alone;
  // without this they would keep the page's state while the record says otherwise.
  if (tooltipsChanged_) host_.ReactivateTooltips();
  if (trayShown_ && *trayShown_ != (settings_.SysTrayIcon != 0)) Perform({BarOperation::kTrayIcon});
  if (startupOn_ && *startupOn_ != (settings_.StartWindows != 0)) Perform({BarOperation::kAddStartup});
}

void OptionsSession::End() {
  host_.SetConfirmedSettings(nullptr);  // OK or Cancel has confirmed the record as it is
  host_.WriteSettings();
  dialogOpen_.End();
  host_.RepaintAll();
}
