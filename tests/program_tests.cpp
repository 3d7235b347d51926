// Start-up and shutdown, run in this process with the real main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <string>

#include "app/program.h"
#include "tests/test_support.h"
#include "ui/control_common.h"
#include "keywatch/animation_box.h"
#include "ui/main_window.h"

namespace {

bool g_loopRan = false;

void CALLBACK NoteLoopAndQuit(HWND, UINT, UINT_PTR, DWORD) {
  g_loopRan = true;
  PostQuitMessage(0);
}

void DestroyMainWindowAtOnce() { DestroyWindow(MainWindowHandle()); }

void CloseMainWindowSoon() {
  PostMessageA(MainWindowHandle(), WM_CLOSE, 0, 0);
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = g_mainWindowEvents; }
  void TearDown() override {
    g_mainWindowEvents = saved_;
    if (MainWindowExists()) DestroyWindow(MainWindowHandle());
  }
  MainWindowEvents saved_;
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
  g_loopRan = false;
  // Had the loop started, this thread timer would end it and say so.
  UINT_PTR guard = SetTimer(nullptr, 0, 2000, NoteLoopAndQuit);
  EXPECT_EQ(0, RunProgram());
  KillTimer(nullptr, guard);
  EXPECT_FALSE(g_loopRan);
  EXPECT_FALSE(MainWindowExists());
}

TEST_F(ProgramTest, RunsInTheProgramFolderWhereverItWasStarted) {
  SetCurrentDirectoryA("C:\\windows");
  g_mainWindowEvents.onCreated = DestroyMainWindowAtOnce;
  EXPECT_EQ(0, RunProgram());
  EXPECT_EQ(ExeFolder(), CurrentDirectory());
  EXPECT_EQ(ExeFolder(), ProgramFolder());
}

TEST_F(ProgramTest, ClosingTheWindowEndsTheLoopWithStatusZero) {
  g_mainWindowEvents.onCreated = CloseMainWindowSoon;  // posted: handled by the loop
  EXPECT_EQ(0, RunProgram());
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

}  // namespace

namespace {

// F5, armed with interval 0, closes the main window from inside the tick:
// the tick must end without touching the destroyed box (the test runs
// under Wine's heap checking too, see CMakeLists.txt).
void ArmF5EveryTick() { WatchKeys(MainWindowAnimationBox(), 0, {VK_F5}); }
void CloseOnF5(int32_t, int32_t) { DestroyWindow(MainWindowHandle()); }

TEST_F(ProgramTest, HandlerThatClosesTheWindowInsideATickEndsTheProgram) {
  g_mainWindowEvents.onCreated = ArmF5EveryTick;
  g_mainWindowEvents.onWatchedKeyPressed = CloseOnF5;
  SendKey(VK_F5, true);
  const DWORD start = GetTickCount();
  const int status = RunProgram();
  SendKey(VK_F5, false);
  EXPECT_EQ(0, status);
  EXPECT_FALSE(MainWindowExists());
  EXPECT_LT(GetTickCount() - start, 2000u);
}

}  // namespace
