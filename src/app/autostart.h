// The start-with-Windows question asked at start-up.
#pragma once

#include <functional>

struct Settings;

// The question is asked only while the program does not start with Windows and
// the user has not asked us to stop asking.
bool ShouldAskAutoStart(const Settings& settings);

// Applies the user's answer. On Yes the start-up shortcut is made at once
// (`addStartup`); if that fails the program still does not start with Windows.
// A ticked "Do not check autorun" stops the question whatever the answer.
void ApplyAutoStartAnswer(Settings& settings, bool yes, bool dontAskAgain,
                          const std::function<bool()>& addStartup);
