// The bare reference for the idle and start-up figures: one window of the
// tool's size, a 5 ms timer with an empty tick, and a message loop.
#include <windows.h>

LRESULT CALLBACK ReferenceProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) return 0;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ReferenceProc;
  wc.hInstance = instance;
  wc.lpszClassName = "BenchReference";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, "BenchReference", "reference", WS_CAPTION | WS_SYSMENU,
                              CW_USEDEFAULT, CW_USEDEFAULT, 175, 166, nullptr, nullptr, instance,
                              nullptr);
  SetTimer(hwnd, 1, 5, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
