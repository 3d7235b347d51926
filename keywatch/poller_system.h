// The two system calls whose answers the key poller cannot steer: the tick
// count and the key state. Tests stand in for them.
#pragma once

#include <windows.h>

struct PollerSystem {
  DWORD (WINAPI* getTickCount)();
  SHORT (WINAPI* getKeyState)(int virtualKey);
};
extern PollerSystem g_pollerSystem;
