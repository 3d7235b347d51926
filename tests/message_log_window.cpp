#include "tests/message_log_window.h"

#include "tests/display_recorder.h"
#include "tests/test_support.h"

std::vector<LoggedCall> g_callLog;

namespace {

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_STYLECHANGED:
      if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
        g_callLog.push_back({"style", reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew, "", {}});
      }
      break;
    case WM_SETTEXT:
      g_callLog.push_back({"title", 0, reinterpret_cast<const char*>(lParam), {}});
      break;
    case WM_WINDOWPOSCHANGING: {
      const WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) {
        g_callLog.push_back({"move", 0, "", {pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy}});
      }
      break;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LONG WINAPI LogChange(DEVMODEA* mode, DWORD flags) {
  recorder.changes.push_back({*mode, flags});
  g_callLog.push_back({"display", 0, "",
                       {0, 0, static_cast<LONG>(mode->dmPelsWidth & 0xFFFF),
                        static_cast<LONG>(mode->dmPelsHeight & 0xFFFF)}});
  return DISP_CHANGE_SUCCESSFUL;
}

}  // namespace

MessageLogWindow::MessageLogWindow(const char* className, const char* title, DWORD style) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc;
  if (!GetClassInfoA(instance, className, &wc)) {
    wc = WNDCLASSA{};
    wc.lpfnWndProc = LoggingProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    RegisterClassA(&wc);
  }
  hwnd_ = CreateWindowExA(0, className, title, style, 300, 200, 320, 240, nullptr, nullptr,
                          instance, nullptr);
  UseWindowProc(hwnd_, LoggingProc);  // the class may come from another helper
  g_callLog.clear();
}

MessageLogWindow::~MessageLogWindow() { DestroyWindow(hwnd_); }

void LogDisplayChanges() { g_displaySystem.changeDisplaySettingsA = LogChange; }
