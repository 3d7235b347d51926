// The main window and its control table, on real windows in this process.
#include <gtest/gtest.h>

#include <string>

#include "keywatch/animation_box.h"
#include "tests/test_support.h"
#include "ui/control_common.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/text_label.h"
#include "ui/texts.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateMainWindow());
    hwnd_ = MainWindowHandle();
    PumpMessages(30);
  }
  void TearDown() override {
    if (MainWindowExists()) DestroyWindow(hwnd_);
  }
  RECT ControlRect(int id) {
    RECT r;
    GetWindowRect(GetDlgItem(hwnd_, id), &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  HWND hwnd_ = nullptr;
};

TEST_F(MainWindowTest, StylesClassAndTitle) {
  // Asked for 0x02C80000 hidden; the system adds WS_CLIPSIBLINGS to every
  // top-level window, and the window is visible after start-up.
  EXPECT_EQ(0x16C80000u, static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)));
  // Asked for 0; a window with a dialog frame always gets WS_EX_WINDOWEDGE.
  EXPECT_EQ(0x00000100u, static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE)));
  EXPECT_EQ(0x0000000Bu, static_cast<DWORD>(GetClassLongA(hwnd_, GCL_STYLE)));
  EXPECT_EQ(GetStockObject(NULL_BRUSH), reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(hwnd_, GCLP_HBRBACKGROUND)));
  EXPECT_EQ(0, GetClassLongPtrA(hwnd_, GCLP_HICON));
  EXPECT_EQ(nullptr, GetParent(hwnd_));
  EXPECT_EQ(nullptr, GetWindow(hwnd_, GW_OWNER));
  EXPECT_EQ(nullptr, GetMenu(hwnd_));

  char title[64] = {};
  GetWindowTextA(hwnd_, title, sizeof(title));
  EXPECT_EQ("E1 B6 D6 DB D7 A8 D3 C3 43 46 B4 B0 BF DA BB AF B9 A4 BE DF", HexBytes(title));
  EXPECT_EQ(20u, std::string(title).size());
}

TEST_F(MainWindowTest, BothIconsAreSetAtTheirSizes) {
  struct Case { WPARAM which; int pixels; };
  for (const Case& c : {Case{ICON_BIG, 32}, Case{ICON_SMALL, 16}}) {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(hwnd_, WM_GETICON, c.which, 0));
    ASSERT_NE(nullptr, icon) << c.pixels;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(c.pixels, bitmap.bmWidth);
    EXPECT_EQ(c.pixels, bitmap.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

TEST(MainWindowPlacement, CentredOnTheScreenAt175By166) {
  struct Case { int screenWidth, screenHeight; RECT expected; };
  const Case cases[] = {
      {1024, 768, {424, 301, 599, 467}},
      {800, 600, {312, 217, 487, 383}},
  };
  for (const Case& c : cases) {
    ScopedDisplaySize display(c.screenWidth, c.screenHeight);
    ASSERT_TRUE(display.ok()) << c.screenWidth;
    ASSERT_TRUE(CreateMainWindow());
    RECT r;
    GetWindowRect(MainWindowHandle(), &r);
    EXPECT_EQ(c.expected.left, r.left) << c.screenWidth;
    EXPECT_EQ(c.expected.top, r.top) << c.screenWidth;
    EXPECT_EQ(c.expected.right, r.right) << c.screenWidth;
    EXPECT_EQ(c.expected.bottom, r.bottom) << c.screenWidth;
    DestroyWindow(MainWindowHandle());
  }
}

TEST_F(MainWindowTest, ControlTable) {
  struct Case { int id; const char* className; RECT rect; DWORD style; };
  const Case cases[] = {
      {kPictureBox1Id, kPictureBoxClass, {0, 24, 168, 136}, 0x54000000},
      {kAnimationBox1Id, kAnimationBoxClass, {40, 120, 140, 220}, 0x54010000},
      {kLabel1Id, kTextLabelClass, {4, -8, 200, 40}, 0x54000000},
  };
  for (const Case& c : cases) {
    HWND control = GetDlgItem(hwnd_, c.id);
    ASSERT_NE(nullptr, control) << c.id;
    EXPECT_EQ(control, MainWindowControl(c.id));
    char cls[64] = {};
    GetClassNameA(control, cls, sizeof(cls));
    EXPECT_STREQ(c.className, cls);
    const RECT r = ControlRect(c.id);
    EXPECT_EQ(c.rect.left, r.left) << c.id;
    EXPECT_EQ(c.rect.top, r.top) << c.id;
    EXPECT_EQ(c.rect.right, r.right) << c.id;
    EXPECT_EQ(c.rect.bottom, r.bottom) << c.id;
    // WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, and WS_TABSTOP for the box.
    EXPECT_EQ(c.style, static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE))) << c.id;
    EXPECT_EQ(0u, static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE))) << c.id;
    EXPECT_EQ(0x0000000Bu, static_cast<DWORD>(GetClassLongA(control, GCL_STYLE))) << c.id;
  }
  char caption[64] = {};
  GetWindowTextA(GetDlgItem(hwnd_, kLabel1Id), caption, sizeof(caption));
  EXPECT_EQ(HexBytes(kInstructionText), HexBytes(caption));
  EXPECT_EQ(24u, std::string(caption).size());

  // Z order from the top: picture box, animation box, label.
  HWND first = GetWindow(hwnd_, GW_CHILD);
  EXPECT_EQ(GetDlgItem(hwnd_, kPictureBox1Id), first);
  EXPECT_EQ(GetDlgItem(hwnd_, kAnimationBox1Id), GetWindow(first, GW_HWNDNEXT));
  EXPECT_EQ(GetDlgItem(hwnd_, kLabel1Id), GetWindow(GetWindow(first, GW_HWNDNEXT), GW_HWNDNEXT));
}

TEST_F(MainWindowTest, CreationEventArmedF5At200Ms) {
  AnimationBox* box = MainWindowAnimationBox();
  ASSERT_NE(nullptr, box);
  ASSERT_EQ(1u, box->watchList.count);
  EXPECT_EQ(0x74, box->watchList.entries[0].keyCode);
  EXPECT_EQ(200u, box->watchList.entries[0].interval);
}

struct CreationSnapshot {
  bool ran;
  DWORD mainStyle;
  DWORD childStyles[3];
};
CreationSnapshot g_snapshot;

void SnapshotAtCreation() {
  g_snapshot.ran = true;
  g_snapshot.mainStyle = static_cast<DWORD>(GetWindowLongA(MainWindowHandle(), GWL_STYLE));
  const int ids[] = {kLabel1Id, kAnimationBox1Id, kPictureBox1Id};
  for (int i = 0; i < 3; ++i) {
    g_snapshot.childStyles[i] =
        static_cast<DWORD>(GetWindowLongA(MainWindowControl(ids[i]), GWL_STYLE)) & WS_VISIBLE;
  }
}

TEST(MainWindowCreation, EventRunsWithControlsShownInTheStillHiddenWindow) {
  const MainWindowEvents saved = g_mainWindowEvents;
  g_mainWindowEvents.onCreated = SnapshotAtCreation;
  g_snapshot = {};
  ASSERT_TRUE(CreateMainWindow());
  g_mainWindowEvents = saved;
  EXPECT_TRUE(g_snapshot.ran);
  EXPECT_EQ(0u, g_snapshot.mainStyle & WS_VISIBLE);
  for (DWORD visible : g_snapshot.childStyles) EXPECT_EQ(static_cast<DWORD>(WS_VISIBLE), visible);
  EXPECT_NE(0, GetWindowLongA(MainWindowHandle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(MainWindowHandle(), GetActiveWindow());
  DestroyWindow(MainWindowHandle());
}

const char* g_failingClass = nullptr;

HWND WINAPI FailOneClass(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                         int w, int h, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  if (lstrcmpA(className, g_failingClass) == 0) return nullptr;
  return CreateWindowExA(exStyle, className, title, style, x, y, w, h, parent, menu, instance,
                         param);
}

TEST(MainWindowCreation, FailsWhenTheWindowOrAControlCannotBeCreated) {
  const WindowCreation saved = g_windowCreation;
  for (const char* cls : {kMainWindowClass, kTextLabelClass, kAnimationBoxClass, kPictureBoxClass}) {
    g_failingClass = cls;
    g_windowCreation.createWindowExA = FailOneClass;
    EXPECT_FALSE(CreateMainWindow()) << cls;
    g_windowCreation = saved;
    EXPECT_FALSE(MainWindowExists()) << cls;
    EXPECT_EQ(nullptr, FindWindowA(kMainWindowClass, nullptr)) << cls;  // nothing left behind
  }
}

// Windows may give a new window another size than asked (a large system
// font, a small screen); under Wine it always has the asked size, so the
// main window is made at another size here and must be put right.
HWND WINAPI MakeMainWindowOddSized(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style,
                                   int x, int y, int w, int h, HWND parent, HMENU menu,
                                   HINSTANCE instance, LPVOID param) {
  if (lstrcmpA(className, kMainWindowClass) == 0) {
    x += 7;
    w -= 10;
    h += 20;
  }
  return CreateWindowExA(exStyle, className, title, style, x, y, w, h, parent, menu, instance,
                         param);
}

TEST(MainWindowCreation, WindowMadeAtAnotherSizeIsPutBackTo175By166) {
  ScopedDisplaySize display(1024, 768);
  ASSERT_TRUE(display.ok());
  const WindowCreation saved = g_windowCreation;
  g_windowCreation.createWindowExA = MakeMainWindowOddSized;
  const bool created = CreateMainWindow();
  g_windowCreation = saved;
  ASSERT_TRUE(created);
  RECT r;
  GetWindowRect(MainWindowHandle(), &r);
  DestroyWindow(MainWindowHandle());
  EXPECT_EQ(424, r.left);
  EXPECT_EQ(301, r.top);
  EXPECT_EQ(599, r.right);
  EXPECT_EQ(467, r.bottom);
}

TEST(MainWindowDestruction, ReleasesItsIcons) {
  ASSERT_TRUE(CreateMainWindow());
  HWND hwnd = MainWindowHandle();
  HICON big = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
  HICON small = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(nullptr, big);
  ASSERT_NE(nullptr, small);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(big, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyWindow(hwnd);
  EXPECT_FALSE(GetIconInfo(big, &info));
  EXPECT_FALSE(GetIconInfo(small, &info));
}

TEST_F(MainWindowTest, FocusReturnsToTheAnimationBoxAfterSwitchingAway) {
  HWND box = AnimationBoxWindow(MainWindowAnimationBox());
  EXPECT_EQ(box, GetFocus());
  TestWindow other("FocusThief", "other");
  ShowWindow(other.hwnd(), SW_SHOW);
  SetForegroundWindow(other.hwnd());
  PumpMessages(30);
  EXPECT_NE(box, GetFocus());
  SetForegroundWindow(hwnd_);
  PumpMessages(30);
  EXPECT_EQ(box, GetFocus());
}

// The modifiers come from this thread's key state, set here for each row.
void SetModifiers(bool ctrl, bool shift, bool alt) {
  BYTE keys[256] = {};
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
  keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
  keys[VK_MENU] = keys[VK_LMENU] = alt ? 0x80 : 0;
  SetKeyboardState(keys);
}

TEST_F(MainWindowTest, KeyboardPreTranslation) {
  enum Mods { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };
  struct Case { UINT message; WPARAM key; int mods; bool consumed; bool closes; };
  const Case cases[] = {
      {WM_KEYDOWN, VK_TAB, kNone, true, false},     // the only tab stop: focus stays
      {WM_KEYDOWN, VK_TAB, kShift, true, false},
      {WM_SYSKEYDOWN, VK_TAB, kNone, true, false},  // a key-down all the same
      {WM_KEYDOWN, VK_TAB, kCtrl, false, false},
      {WM_SYSKEYDOWN, VK_TAB, kAlt, false, false},  // Alt+Tab belongs to the system
      {WM_KEYDOWN, VK_RETURN, kNone, false, false}, // no buttons
      {WM_KEYDOWN, VK_F1, kNone, false, false},     // no help
      {WM_KEYDOWN, VK_LEFT, kNone, false, false},
      {WM_SYSKEYDOWN, 'A', kAlt, false, false},     // no access keys
      {WM_KEYUP, VK_ESCAPE, kNone, false, false},   // only key-down messages count
      {WM_CHAR, 27, kNone, false, false},
      {WM_KEYDOWN, VK_ESCAPE, kShift, false, false},
      {WM_KEYDOWN, VK_ESCAPE, kCtrl, false, false},
      {WM_SYSKEYDOWN, VK_ESCAPE, kAlt, false, false},
      {WM_KEYDOWN, VK_ESCAPE, kNone, true, true},
      {WM_SYSKEYDOWN, VK_ESCAPE, kNone, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "message " << std::hex << c.message << " key " << c.key
                                      << " modifiers " << c.mods);
    if (!MainWindowExists()) {
      ASSERT_TRUE(CreateMainWindow());
      PumpMessages(30);
    }
    HWND box = AnimationBoxWindow(MainWindowAnimationBox());
    ASSERT_EQ(box, GetFocus());
    SetModifiers(c.mods & kCtrl, c.mods & kShift, c.mods & kAlt);
    MSG msg = {box, c.message, c.key, 0, 0, {0, 0}};
    const bool consumed = PreTranslateMainWindowMessage(msg);
    SetModifiers(false, false, false);
    EXPECT_EQ(c.consumed, consumed);
    EXPECT_EQ(!c.closes, MainWindowExists());
    if (!c.closes) {
      EXPECT_EQ(box, GetFocus());
    }
  }
}

TEST_F(MainWindowTest, EndOfSessionIsNeverRefusedAndLeavesTheWindow) {
  EXPECT_EQ(TRUE, SendMessageA(hwnd_, WM_QUERYENDSESSION, 0, 0));
  EXPECT_TRUE(MainWindowExists());
}

TEST_F(MainWindowTest, SystemMenuCloseDestroysTheWindow) {
  SendMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_FALSE(MainWindowExists());
}

TEST_F(MainWindowTest, BackgroundIsButtonFaceWhereNoControlLies) {
  RECT client;
  GetClientRect(hwnd_, &client);
  ASSERT_EQ(169, client.right);  // 175 less a 3-pixel dialog frame each side
  UpdateWindow(hwnd_);
  const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE));
  for (POINT p : {POINT{1, 5}, POINT{3, 23}, POINT{168, 60}, POINT{168, client.bottom - 1}}) {
    EXPECT_EQ(face, Rgb(ClientPixel(hwnd_, p.x, p.y))) << p.x << "," << p.y;
  }
}

}  // namespace
