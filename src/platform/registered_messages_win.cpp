#include "platform/registered_messages_win.h"

namespace {
// Registered by static initialisation, before start-up runs.
const UINT g_appBarNotify = ::RegisterWindowMessageA("OrvantisNotify");
const UINT g_trayNotify = ::RegisterWindowMessageA("OrvantisSysTrayNotify");
}  // namespace

UINT AppBarNotifyMessage() { return g_appBarNotify; }
UINT TrayNotifyMessage() { return g_trayNotify; }
