// The main window: fixed 175x166, centred, with the picture box, the
// animation box that watches F5, and the label with the instruction.
#pragma once

#include <windows.h>

#include <cstdint>

#include "keywatch/animation_box.h"

// Control IDs, handed out in creation order from 100 in steps of 10.
enum MainWindowControlId : int {
  kLabel1Id = 100,        // 标签1, created first, bottom of the Z order
  kAnimationBox1Id = 110, // 动画框1
  kPictureBox1Id = 120,   // 图片框1, created last, top of the Z order
};

inline constexpr int kMainWindowWidth = 175;
inline constexpr int kMainWindowHeight = 166;
inline constexpr DWORD kMainWindowStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;  // 0x02C80000
inline constexpr char kMainWindowClass[] = "CfWindowTool.Main";

// The handlers bound to the window's creation event and to the watched key
// pressed event of 动画框1. A null handler means the event does nothing.
struct MainWindowEvents {
  void (*onCreated)();
  WatchedKeyPressedHandler onWatchedKeyPressed;
};
extern MainWindowEvents g_mainWindowEvents;

// Creates the window and its three controls, raises the creation event and
// shows the window. False when the window or a control cannot be created.
bool CreateMainWindow();

bool MainWindowExists();
HWND MainWindowHandle();
HWND MainWindowControl(int controlId);
AnimationBox* MainWindowAnimationBox();

// True for the main window and its child windows.
bool IsForMainWindow(HWND hwnd);

// Keyboard handling before dispatch: Esc alone closes the window, Tab and
// Shift+Tab move the focus among tab stops. True when the message was used.
bool PreTranslateMainWindowMessage(const MSG& msg);

// Paints the part of the client area given (the button-face background).
void PaintMainWindow(HDC dc, const RECT& area);
