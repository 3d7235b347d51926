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

// The process's program state. Tests reset it between runs of RunProgram.
struct ProgramState {
  char folder[MAX_PATH];  // the program file's folder
  bool loopStarted;       // set once, just before the message loop would start
  bool oleInitialized;
};
extern ProgramState g_program;

// Cuts a module path in `path` (a buffer of `capacity` bytes, which need not
// hold a terminator) down to its folder: the part before the last backslash,
// keeping the backslash of a drive's root ("C:\"), since "C:" alone names
// the drive's current directory rather than its root.
void CutToFolder(char* path, size_t capacity);

// Calls the start-up failure exit makes; tests stand in for them so that
// the error box does not wait for a click.
struct StartupSystem {
  int (WINAPI* messageBoxA)(HWND, LPCSTR, LPCSTR, UINT);
  void (WINAPI* exitProcess)(UINT);
};
extern StartupSystem g_startupSystem;
