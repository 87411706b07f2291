// The two window messages registered before start-up.
#pragma once

#include <windows.h>

// The callback message of every appbar call of the bar window.
UINT AppBarNotifyMessage();
// The callback message of the notification-area icon.
UINT TrayNotifyMessage();
