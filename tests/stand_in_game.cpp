// A stand-in for the game: one full-screen popup window that logs, with the
// tick count, every style, title and position change it is asked for.
// Usage: stand_in_game LOGFILE [CLASS [TITLE]]   (both "CrossFire" by default)
#include <windows.h>

#include <cstdio>
#include <cstdarg>
#include <string>

namespace {

FILE* g_log = nullptr;

void Log(const char* format, ...) {
  if (!g_log) return;
  std::fprintf(g_log, "%lu ", GetTickCount());
  va_list args;
  va_start(args, format);
  std::vfprintf(g_log, format, args);
  va_end(args);
  std::fputc('\n', g_log);
  std::fflush(g_log);
}

LRESULT CALLBACK GameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_STYLECHANGED:
      if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
        Log("style %08lX", reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew);
      }
      break;
    case WM_SETTEXT: {
      std::string hex;
      char part[4];
      for (const unsigned char* p = reinterpret_cast<const unsigned char*>(lParam); *p; ++p) {
        std::snprintf(part, sizeof(part), "%02X", *p);
        hex += part;
      }
      Log("title %s", hex.c_str());
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      const WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) {
        Log("move %d %d %d %d", pos->x, pos->y, pos->cx, pos->cy);
      }
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // what the active window gets while nothing has the focus
      // When the key went down, as the system stamped it.
      if (!(lParam & 0x40000000)) Log("key %u %lu", static_cast<unsigned>(wParam), GetMessageTime());
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      HBRUSH brush = CreateSolidBrush(RGB(40, 90, 40));
      FillRect(dc, &ps.rcPaint, brush);
      DeleteObject(brush);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(255, 255, 255));
      TextOutA(dc, 20, 20, "stand-in game", 13);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const int argc = __argc;
  char** argv = __argv;
  if (argc > 1) g_log = std::fopen(argv[1], "w");
  const char* className = argc > 2 ? argv[2] : "CrossFire";
  const char* title = argc > 3 ? argv[3] : "CrossFire";

  WNDCLASSA wc = {};
  wc.lpfnWndProc = GameProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, className, title, WS_POPUP | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                              nullptr, nullptr, wc.hInstance, nullptr);
  if (!hwnd) return 1;
  Log("ready");
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (g_log) std::fclose(g_log);
  return 0;
}
