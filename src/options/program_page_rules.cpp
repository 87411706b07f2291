#include "options/program_page_rules.h"

#include "options_ids.h"

const ControlBindings& ProgramBindings() {
  static const ControlBindings bindings = {
      {IDC_PROG_STARTUP, ControlKind::kCheck, &Settings::StartWindows, {BarOperation::kAddStartup}},
      {IDC_PROG_TRAY, ControlKind::kCheck, &Settings::SysTrayIcon, {BarOperation::kTrayIcon}},
      {IDC_PROG_TOOLTIPS, ControlKind::kCheck, &Settings::UseToolTips, {BarOperation::kReactivateTooltips}},
      // Read by the autohide slide when it next runs; nothing to show now.
      {IDC_PROG_SMOOTHLY, ControlKind::kCheck, &Settings::Smoothly, {}},
      {IDC_PROG_LOGO, ControlKind::kCheck, &Settings::Logo, {BarOperation::kRepaint}},
      {IDC_PROG_SPLASH, ControlKind::kCheck, &Settings::Splash, {BarOperation::kRepaint}},
      // Read by the next click on a button.
      {IDC_PROG_SWITCH_RUNNING, ControlKind::kCheck, &Settings::SwitchToRunning, {}},
  };
  return bindings;
}
