// The cost of one poller tick, with 1, 10 and 1,000 entries armed, with no
// key down and with F5 held (at the X server, as a player holds it).
#include <windows.h>

#include <cstdio>

#include "keywatch/animation_box.h"
#include "tests/test_support.h"

namespace {

int g_fired = 0;
void CountEvent(int32_t, int32_t) { ++g_fired; }

// Runs ticks back to back for about half a second.
double NsPerTick(AnimationBox* box) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  long long ticks = 0;
  do {
    for (int i = 0; i < 16; ++i) RunAnimationBoxTick(box);
    ticks += 16;
    QueryPerformanceCounter(&now);
  } while (now.QuadPart - start.QuadPart < frequency.QuadPart / 2);
  return 1e9 * (now.QuadPart - start.QuadPart) / frequency.QuadPart / ticks;
}

}  // namespace

int main() {
  setvbuf(stdout, nullptr, _IONBF, 0);
  TestWindow parent("PollerBench", "bench");
  std::printf("poller tick, ns per tick (under wine64):\n");
  std::printf("%10s %14s %14s %8s\n", "entries", "no key down", "F5 held", "events");
  for (int entries : {1, 10, 1000}) {
    AnimationBox* box = CreateAnimationBox(parent.hwnd(), 1, 0, 0, 10, 10, 0);
    KillTimer(AnimationBoxWindow(box), kAnimationBoxTimerId);  // ticks are driven here
    SetWatchedKeyHandler(box, CountEvent);
    // F5 first, as the tool arms it; the others are letter keys nobody holds.
    WatchKeys(box, 200, {VK_F5});
    for (int i = 1; i < entries; ++i) WatchKeys(box, 200, {'A' + i % 26});
    const double idle = NsPerTick(box);
    SendKey(VK_F5, true);
    g_fired = 0;
    const double held = NsPerTick(box);
    SendKey(VK_F5, false);
    std::printf("%10d %14.0f %14.0f %8d\n", entries, idle, held, g_fired);
    DestroyWindow(AnimationBoxWindow(box));
  }
  return 0;
}
