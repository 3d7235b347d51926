// The program's life: start-up, the message loop and shutdown.
#pragma once

#include <windows.h>

// Runs the whole program and returns its exit status (0 after a normal end).
// Ends the process itself with -1 when the main window cannot be created.
int RunProgram();

// Waits for and dispatches messages until WM_QUIT; returns its wParam.
WPARAM RunMessageLoop();

// Called by the main window once it is destroyed: ends the loop, but only
// after the loop has started (a window gone before it posts nothing).
void QuitIfNoWindowsLeft();

void ShutDownProgram();

// The folder of the program file, without the trailing backslash.
const char* ProgramFolder();

// Calls the start-up failure exit makes; tests stand in for them so that
// the error box does not wait for a click.
struct StartupSystem {
  int (WINAPI* messageBoxA)(HWND, LPCSTR, LPCSTR, UINT);
  void (WINAPI* exitProcess)(UINT);
};
extern StartupSystem g_startupSystem;
