// A top-level window that logs the messages a windowing run sends it, in
// one list with the display changes the recorder sees.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct LoggedCall {
  std::string what;  // "style", "title", "move" or "display"
  DWORD style;       // "style": the new style
  std::string text;  // "title": the new title's bytes
  RECT rect;         // "move": x, y, x + cx, y + cy as requested
};

extern std::vector<LoggedCall> g_callLog;

// Creates (and destroys) a window of the given class and title that logs.
class MessageLogWindow {
 public:
  MessageLogWindow(const char* className, const char* title, DWORD style = WS_POPUP | WS_VISIBLE);
  ~MessageLogWindow();
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// Makes the display recorder add its changes to g_callLog too.
void LogDisplayChanges();
