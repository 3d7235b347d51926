#include "keywatch/poller_system.h"

PollerSystem g_pollerSystem = {GetTickCount, GetKeyState};
