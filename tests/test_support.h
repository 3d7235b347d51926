// Small helpers for tests on real windows under Wine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a text as hex, so that a failing comparison shows them.
std::string HexBytes(const char* text);
std::string HexBytes(const std::string& bytes);

// Dispatches this thread's messages for about `ms` milliseconds.
void PumpMessages(DWORD ms);

// Pumps until `done` holds or `timeoutMs` passes; returns `done()`.
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpMessages(1);
  }
  return true;
}

// Makes `proc` the window's procedure from now on.
void UseWindowProc(HWND hwnd, WNDPROC proc);

// A top-level window of a class of the test's own, destroyed with the object.
class TestWindow {
 public:
  TestWindow(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
             RECT rect = {100, 100, 400, 300}, WNDPROC proc = nullptr);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The current size of the (virtual) desktop, and a way to set it for one test.
SIZE ScreenSize();
bool SetDisplaySize(int width, int height);
class ScopedDisplaySize {
 public:
  ScopedDisplaySize(int width, int height);
  ~ScopedDisplaySize();
  bool ok() const { return ok_; }

 private:
  SIZE before_;
  bool ok_;
};

// GDI objects this process holds: GetGuiResources where the system reports
// it; Wine reports 0, so there the process's GDI handle table is counted.
int CountGdiObjects();

// Real keyboard input, as a player's keys arrive.
void SendKey(WORD virtualKey, bool down);
void ReleaseAllTestKeys();

// A program started by a test, ended with the object if still running.
class ChildProcess {
 public:
  ChildProcess(const std::string& exe, const std::string& args = "", const char* folder = nullptr);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  bool started() const { return started_; }
  DWORD id() const { return pi_.dwProcessId; }
  bool Running() const;
  // The exit status, or 0x7FFFFFFF when it is still running after `ms`.
  DWORD WaitForExit(DWORD ms) const;
  // Its visible top-level window of the class, waiting up to 10 s for it.
  HWND Window(const char* className) const;

 private:
  PROCESS_INFORMATION pi_ = {};
  bool started_ = false;
};

// Unix paths (as CTest passes them) become Z:\ paths for Windows calls.
std::string WindowsPath(const std::string& path);
std::string FolderOf(const std::string& path);

// The 32-bit colour of a pixel of a window's client area, read from the screen.
COLORREF ClientPixel(HWND hwnd, int x, int y);
// All pixels of a client area as 0x00RRGGBB, rows top-down.
std::vector<uint32_t> CaptureClient(HWND hwnd, int* width, int* height);
inline uint32_t Rgb(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }
