// What the main window and its controls (the picture box, the label and the
// animation box) share: the call that creates their windows, their kind of
// window class, and colour settings.
#pragma once

#include <windows.h>

// In a colour setting, stands for the system's COLOR_BTNFACE (CLR_DEFAULT).
inline constexpr COLORREF kDefaultColor = 0xFF000000;

// The colour a setting stands for, looked up now.
inline COLORREF ResolveColor(COLORREF color) {
  return color == kDefaultColor ? GetSysColor(COLOR_BTNFACE) : color;
}

// Tests stand in for window creation to make it fail.
struct WindowCreation {
  HWND (WINAPI* createWindowExA)(DWORD exStyle, LPCSTR className, LPCSTR title,
                                 DWORD style, int x, int y, int width, int height,
                                 HWND parent, HMENU menu, HINSTANCE instance,
                                 LPVOID param);
};
extern WindowCreation g_windowCreation;

// Registers a window class of the controls' and the main window's kind:
// CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, arrow cursor, NULL_BRUSH, no icon.
// Does nothing when the class is registered already.
void RegisterPlainClass(const char* className, WNDPROC proc);
