#include "app/program.h"

#include <ole2.h>

#include "ui/main_window.h"

StartupSystem g_startupSystem = {MessageBoxA, ExitProcess};

ProgramState g_program;

void CutToFolder(char* path, size_t capacity) {
  if (!capacity) return;
  path[capacity - 1] = '\0';  // older Windows leave a full buffer unterminated
  char* lastSlash = nullptr;
  for (char* p = path; *p; ++p) {
    if (*p == '\\') lastSlash = p;
  }
  if (!lastSlash) return;
  const bool driveRoot = lastSlash == path + 2 && path[1] == ':';
  lastSlash[driveRoot ? 1 : 0] = '\0';
}

namespace {

void EnterProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  CutToFolder(path, MAX_PATH);
  lstrcpynA(g_program.folder, path, MAX_PATH);
  SetCurrentDirectoryA(g_program.folder);
}

}  // namespace

int RunProgram() {
  EnterProgramFolder();
  OleInitialize(nullptr);
  g_program.oleInitialized = true;

  if (!CreateMainWindow()) {
    g_startupSystem.messageBoxA(nullptr,
                                "The start-up window could not be loaded. "
                                "The program will now end.",
                                "Start-up failed", MB_OK | MB_ICONERROR);
    ShutDownProgram();
    g_startupSystem.exitProcess(static_cast<UINT>(-1));
    return -1;  // only when a test stands in for ExitProcess
  }

  g_program.loopStarted = true;
  int status = 0;
  if (MainWindowExists()) status = static_cast<int>(RunMessageLoop());
  ShutDownProgram();
  return status;
}

WPARAM RunMessageLoop() {
  MSG msg = {};
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    if (IsForMainWindow(msg.hwnd) && PreTranslateMainWindowMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // -1 is an error with no WM_QUIT behind it: the loop ends all the same.
  return got == 0 ? msg.wParam : 0;
}

void QuitIfNoWindowsLeft() {
  if (!MainWindowExists() && g_program.loopStarted) PostQuitMessage(0);
}

void ShutDownProgram() {
  if (g_program.oleInitialized) {
    OleUninitialize();
    g_program.oleInitialized = false;
  }
}
