// Start-up and shutdown, run in this process with the real main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/program.h"
#include "keywatch/animation_box.h"
#include "keywatch/poller_system.h"
#include "tests/test_support.h"
#include "ui/control_common.h"
#include "ui/main_window.h"

namespace {

bool g_loopRan = false;
bool g_timedOut = false;

void CALLBACK NoteLoopAndQuit(HWND, UINT, UINT_PTR, DWORD) {
  g_loopRan = true;
  PostQuitMessage(0);
}

// Ends a loop that has run too long, so that the test fails instead of hanging.
void CALLBACK EndOverdueLoop(HWND, UINT, UINT_PTR, DWORD) {
  g_timedOut = true;
  if (MainWindowExists()) DestroyWindow(MainWindowHandle());
  PostQuitMessage(0);
}

void DestroyMainWindowAtOnce() { DestroyWindow(MainWindowHandle()); }

void CloseMainWindowSoon() { PostMessageA(MainWindowHandle(), WM_CLOSE, 0, 0); }

// Every run starts from a fresh process's program state: loop not started,
// OLE not initialised, no WM_QUIT left queued by an earlier run.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedEvents_ = g_mainWindowEvents;
    savedPoller_ = g_pollerSystem;
    g_program = ProgramState{};
    g_timedOut = false;
    g_loopRan = false;
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
  }
  void TearDown() override {
    g_mainWindowEvents = savedEvents_;
    g_pollerSystem = savedPoller_;
    if (MainWindowExists()) DestroyWindow(MainWindowHandle());
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    g_program = ProgramState{};
  }
  // RunProgram, ended after `ms` should its loop not end by itself.
  int RunProgramWithin(DWORD ms) {
    const UINT_PTR guard = SetTimer(nullptr, 0, ms, EndOverdueLoop);
    const int status = RunProgram();
    KillTimer(nullptr, guard);
    return status;
  }
  MainWindowEvents savedEvents_;
  PollerSystem savedPoller_;
};

std::string CurrentDirectory() {
  char dir[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, dir);
  return dir;
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOf(path);
}

TEST_F(ProgramTest, WindowGoneBeforeTheLoopSkipsItWithStatusZero) {
  g_mainWindowEvents.onCreated = DestroyMainWindowAtOnce;
  // Had the loop started, this thread timer would end it and say so.
  UINT_PTR guard = SetTimer(nullptr, 0, 2000, NoteLoopAndQuit);
  EXPECT_EQ(0, RunProgram());
  KillTimer(nullptr, guard);
  EXPECT_FALSE(g_loopRan);
  EXPECT_FALSE(MainWindowExists());
  // Gone before the loop: no quit message was posted for a loop to come.
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(ProgramTest, RunsInTheProgramFolderWhereverItWasStarted) {
  SetCurrentDirectoryA("C:\\windows");
  g_mainWindowEvents.onCreated = DestroyMainWindowAtOnce;
  EXPECT_EQ(0, RunProgramWithin(5000));
  EXPECT_FALSE(g_timedOut);
  EXPECT_EQ(ExeFolder(), CurrentDirectory());
  EXPECT_EQ(ExeFolder(), g_program.folder);
}

TEST(ProgramFolder, CutFromTheModulePath) {
  struct Case { const char* path; const char* folder; };
  const Case cases[] = {
      {"C:\\Games\\CF\\cfwindow.exe", "C:\\Games\\CF"},
      {"C:\\cfwindow.exe", "C:\\"},  // the root keeps its backslash: "C:" is drive-relative
      {"D:\\tools\\cfwindow.exe", "D:\\tools"},
      {"\\\\server\\share\\cfwindow.exe", "\\\\server\\share"},
      {"cfwindow.exe", "cfwindow.exe"},  // no backslash: nothing to cut
      {"", ""},
  };
  for (const Case& c : cases) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, c.path, MAX_PATH);
    CutToFolder(path, MAX_PATH);
    EXPECT_STREQ(c.folder, path) << c.path;
  }
}

TEST(ProgramFolder, FullBufferWithoutTerminatorIsCutInsideIt) {
  // Older Windows fill all 260 bytes of a too-long path and add no NUL. The
  // bytes after the buffer hold a backslash that a scan running past its
  // end would take for the last one.
  char memory[MAX_PATH + 8];
  std::memset(memory, 'a', sizeof(memory));
  std::memcpy(memory, "C:\\", 3);
  memory[200] = '\\';
  memory[MAX_PATH + 2] = '\\';
  memory[MAX_PATH + 7] = '\0';
  CutToFolder(memory, MAX_PATH);
  EXPECT_EQ(200u, std::strlen(memory));
  EXPECT_EQ('\\', memory[MAX_PATH + 2]);  // nothing read or written past the buffer
}

TEST_F(ProgramTest, ClosingTheWindowEndsTheLoopWithStatusZero) {
  g_mainWindowEvents.onCreated = CloseMainWindowSoon;  // posted: handled by the loop
  EXPECT_EQ(0, RunProgramWithin(5000));
  EXPECT_FALSE(g_timedOut) << "the posted WM_CLOSE did not end the program";
  EXPECT_FALSE(MainWindowExists());
  // OLE was uninitialised: this thread can initialise it afresh.
  EXPECT_EQ(S_OK, OleInitialize(nullptr));
  OleUninitialize();
}

// Stand-ins for the failure exit: the error box would wait for a click.
int WINAPI PrintMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT flags) {
  std::fprintf(stderr, "message box [%s] %s flags=%#x\n", caption, text, flags);
  return IDOK;
}

HWND WINAPI FailMainWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x,
                           int y, int w, int h, HWND parent, HMENU menu, HINSTANCE instance,
                           LPVOID param) {
  if (lstrcmpA(className, kMainWindowClass) == 0) return nullptr;
  return CreateWindowExA(exStyle, className, title, style, x, y, w, h, parent, menu, instance,
                         param);
}

void RunWithFailingMainWindow() {
  g_startupSystem.messageBoxA = PrintMessageBox;
  g_windowCreation.createWindowExA = FailMainWindow;
  RunProgram();
  std::fprintf(stderr, "returned from RunProgram\n");  // never: ExitProcess came first
  ExitProcess(7);
}

TEST(ProgramDeathTest, FailedMainWindowShowsAnErrorAndExitsWithMinusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(RunWithFailingMainWindow(), ::testing::ExitedWithCode(-1),
              "message box \\[Start-up failed\\] The start-up window could not be loaded\\. "
              "The program will now end\\. flags=0x10\n$");
}

// F5, armed with interval 0, closes the main window from inside the tick:
// the tick must end without touching the destroyed box (the test runs
// under Wine's heap checking too, see tests/CMakeLists.txt). F5 is held
// through the poller's key-state call, so that nothing outside (Wine
// re-reading the X keyboard at a focus change) can let it go.
SHORT WINAPI OnlyF5Down(int key) { return key == VK_F5 ? static_cast<SHORT>(0x8000) : 0; }
void ArmF5EveryTick() { WatchKeys(MainWindowAnimationBox(), 0, {VK_F5}); }
int g_closesInTick = 0;
void CloseOnF5(int32_t, int32_t) {
  ++g_closesInTick;
  DestroyWindow(MainWindowHandle());
}

TEST_F(ProgramTest, HandlerThatClosesTheWindowInsideATickEndsTheProgram) {
  g_pollerSystem.getKeyState = OnlyF5Down;
  g_mainWindowEvents.onCreated = ArmF5EveryTick;
  g_mainWindowEvents.onWatchedKeyPressed = CloseOnF5;
  g_closesInTick = 0;
  const DWORD start = GetTickCount();
  const int status = RunProgramWithin(5000);
  EXPECT_FALSE(g_timedOut) << "F5 was never reported";
  EXPECT_EQ(1, g_closesInTick);
  EXPECT_EQ(0, status);
  EXPECT_FALSE(MainWindowExists());
  EXPECT_LT(GetTickCount() - start, 2000u);
}

}  // namespace
