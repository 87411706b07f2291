// The host build has no shell to open targets with.
#ifndef _WIN32

#include "db/launch.h"

void ShellLaunch(const LaunchRecord&) {}

#endif
