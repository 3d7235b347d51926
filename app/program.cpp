#include "app/program.h"

#include <ole2.h>

#include "ui/main_window.h"

StartupSystem g_startupSystem = {MessageBoxA, ExitProcess};

namespace {

struct ProgramState {
  char folder[MAX_PATH];
  bool loopStarted;
  bool oleInitialized;
};

ProgramState g_program;

void EnterProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* lastSlash = nullptr;
  for (char* p = path; *p; ++p) {
    if (*p == '\\') lastSlash = p;
  }
  if (lastSlash) *lastSlash = '\0';
  lstrcpynA(g_program.folder, path, MAX_PATH);
  SetCurrentDirectoryA(g_program.folder);
}

}  // namespace

const char* ProgramFolder() { return g_program.folder; }

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
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsForMainWindow(msg.hwnd) && PreTranslateMainWindowMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return msg.wParam;
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
