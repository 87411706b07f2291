#include "app/autostart.h"

#include "core/settings.h"

bool ShouldAskAutoStart(const Settings& settings) {
  return settings.StartWindows == 0 && settings.AskAutoStart != 0;
}

void ApplyAutoStartAnswer(Settings& settings, bool yes, bool dontAskAgain,
                          const std::function<bool()>& addStartup) {
  if (yes) {
    settings.StartWindows = 1;
    if (!addStartup()) settings.StartWindows = 0;
  }
  if (dontAskAgain) settings.AskAutoStart = 0;
}
