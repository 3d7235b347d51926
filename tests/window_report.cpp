// Prints what a top-level window looks like from outside: its style, title
// (code-page-936 bytes, and as UTF-8) and rectangle. Used by the demo.
// Usage: window_report CLASS [close]   ("close" then posts WM_CLOSE to it)
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_report CLASS [close]\n");
    return 2;
  }
  HWND hwnd = FindWindowA(argv[1], nullptr);
  if (!hwnd) {
    std::printf("%s: no such window\n", argv[1]);
    return 1;
  }
  if (argc > 2 && std::string(argv[2]) == "close") {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return 0;
  }
  char title[512] = {};
  GetWindowTextA(hwnd, title, sizeof(title));
  std::string hex;
  char part[4];
  for (const unsigned char* p = reinterpret_cast<unsigned char*>(title); *p; ++p) {
    std::snprintf(part, sizeof(part), "%02X ", *p);
    hex += part;
  }
  wchar_t wide[512] = {};
  MultiByteToWideChar(936, 0, title, -1, wide, 512);
  char utf8[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), nullptr, nullptr);
  RECT r;
  GetWindowRect(hwnd, &r);
  std::printf("  style  0x%08lX\n  title  \"%s\" (%s)\n  rect   (%ld,%ld)-(%ld,%ld), %ld x %ld\n",
              static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_STYLE)), utf8, hex.c_str(),
              r.left, r.top, r.right, r.bottom, r.right - r.left, r.bottom - r.top);
  std::printf("  screen %d x %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return 0;
}
