// Measures the real exe from outside: its start-up time against the bare
// reference exe, and its reaction to F5.
// Usage: bench_driver --tool=PATH --reference=PATH --game=PATH 
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * now.QuadPart / frequency.QuadPart;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// F5 key-down times as the system stamped them (GetTickCount clock), seen
// by a low-level keyboard hook, which needs this thread to pump messages.
std::vector<DWORD> g_f5Downs;
bool g_f5Down = false;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION && key->vkCode == VK_F5) {
    const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    if (down && !g_f5Down) g_f5Downs.push_back(key->time);
    g_f5Down = down;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs xdotool without waiting for it, so that the hook can be served.
void XKey(const char* action) {
  std::string command = std::string("Z:\\usr\\bin\\xdotool ") + action + " F5";
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi;
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
}

// From F5 going down (the hook's time stamp) to the game window receiving
// its new style (the game's log, same clock).
void Reaction(const std::string& tool, const std::string& game) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string log = std::string(dir) + "bench_game.log";
  std::vector<DWORD> styles;
  {
    ChildProcess g(game, "\"" + log + "\"");
    HWND gameWindow = g.Window("CrossFire");
    ChildProcess t(tool);
    t.Window("CfWindowTool.Main");
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
    const SIZE screen = ScreenSize();
    for (int i = 0; i < 20; ++i) {
      SetWindowLongA(gameWindow, GWL_STYLE, WS_POPUP | WS_VISIBLE);
      SetWindowPos(gameWindow, HWND_TOP, 0, 0, screen.cx, screen.cy, SWP_FRAMECHANGED);
      SetForegroundWindow(gameWindow);
      PumpMessages(300);  // more than the 200 ms interval since the last action
      XKey("keydown");
      PumpMessages(150);
      XKey("keyup");
      PumpMessages(100);
    }
    PumpMessages(300);
    UnhookWindowsHookEx(hook);
  }  // both programs end here

  FILE* f = std::fopen(log.c_str(), "r");
  char what[16], rest[256];
  unsigned long tick = 0;
  while (f && std::fscanf(f, "%lu %15s", &tick, what) == 2 && std::fgets(rest, sizeof(rest), f)) {
    if (std::string(what) == "style" && std::string(rest).find("35CF0000") != std::string::npos) {
      styles.push_back(tick);
    }
  }
  if (f) std::fclose(f);
  std::vector<double> times;
  for (DWORD down : g_f5Downs) {
    for (DWORD style : styles) {
      if (static_cast<int32_t>(style - down) >= 0) {
        times.push_back(style - down);
        break;
      }
    }
  }
  if (times.empty()) {
    std::printf("reaction: no windowing action seen (%zu presses)\n", g_f5Downs.size());
    return;
  }
  const double worst = *std::max_element(times.begin(), times.end());
  std::printf("reaction, F5 down to the game's new style, %zu presses: median %.0f ms, max %.0f ms "
              "(%.1f and %.1f periods of 5 ms; Wine's timer ticks every 10 ms)\n",
              times.size(), Median(times), worst, Median(times) / 5, worst / 5);
}

double StartUpMs(const std::string& exe, const char* className) {
  const double start = NowMs();
  ChildProcess c(exe);
  c.Window(className);
  return NowMs() - start;
}

void StartUp(const std::string& tool, const std::string& reference) {
  std::vector<double> a, b;
  for (int i = 0; i < 10; ++i) {
    a.push_back(StartUpMs(tool, "CfWindowTool.Main"));
    b.push_back(StartUpMs(reference, "BenchReference"));
  }
  std::printf("start-up to visible window, median of 10: tool %.1f ms, reference %.1f ms, ratio %.2f\n",
              Median(a), Median(b), Median(a) / Median(b));
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  std::string tool, reference, game;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--tool=", 0) == 0) tool = WindowsPath(arg.substr(7));
    if (arg.rfind("--reference=", 0) == 0) reference = WindowsPath(arg.substr(12));
    if (arg.rfind("--game=", 0) == 0) game = WindowsPath(arg.substr(7));
  }
  if (tool.empty() || reference.empty() || game.empty()) {
    std::fprintf(stderr, "usage: bench_driver --tool= --reference= --game=\n");
    return 2;
  }
  StartUp(tool, reference);
  Reaction(tool, game);
  SetDisplaySize(1280, 1024);
  return 0;
}
