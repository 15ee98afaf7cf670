// The one header through which game code reaches the platform: the real Win32 API on Windows,
// the portable subset of this folder everywhere else.
#pragma once

#ifdef _WIN32
#include <sys/timeb.h>
#include <windows.h>
#else
#include "platform/clock.h"
#endif
