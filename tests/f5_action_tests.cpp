// The F5 action: the lookup and the windowing joined, display recorded.
#include <gtest/gtest.h>

#include <string>

#include "tests/display_recorder.h"
#include "tests/message_log_window.h"
#include "tests/test_support.h"
#include "wintools/f5_action.h"
#include "wintools/window_lookup.h"

namespace {

class F5ActionTest : public DisplayRecorderTest {
 protected:
  void SetUp() override {
    DisplayRecorderTest::SetUp();
    LogDisplayChanges();
    g_callLog.clear();
  }
};

TEST_F(F5ActionTest, F5WithAnyModifiersWindowsTheGame) {
  for (int32_t modifiers : {0, 1, 2, 3, 4, 7}) {
    MessageLogWindow game("CrossFire", "game");
    OnWatchedKeyPressed(0x74, modifiers);
    ASSERT_EQ(4u, g_callLog.size()) << modifiers;
    EXPECT_EQ(0x35CF0000u, g_callLog[0].style);
    EXPECT_EQ("E1 B6 D6 DB 43 46 B4 B0 BF DA BB AF B3 C9 B9 A6 A3 A1", HexBytes(g_callLog[1].text));
    EXPECT_EQ(800, g_callLog[2].rect.right);
    EXPECT_EQ(600, g_callLog[2].rect.bottom);
    EXPECT_EQ(1024, g_callLog[3].rect.right);
    EXPECT_EQ(768, g_callLog[3].rect.bottom);
  }
}

TEST_F(F5ActionTest, OtherKeysDoNothing) {
  MessageLogWindow game("CrossFire", "game");
  for (int32_t key : {0x73, 0x75, 0, 116 + 256, 27}) OnWatchedKeyPressed(key, 0);
  EXPECT_TRUE(g_callLog.empty());
  EXPECT_TRUE(recorder.changes.empty());
}

TEST_F(F5ActionTest, NoGameWindowStillSwitchesTheDisplay) {
  ASSERT_EQ(kNotFoundWindow, FindWindowByName("CrossFire"));
  RunWindowingAction();
  ASSERT_EQ(1u, recorder.changes.size());
  EXPECT_EQ(1024u, recorder.changes[0].mode.dmPelsWidth & 0xFFFF);
  EXPECT_EQ(768u, recorder.changes[0].mode.dmPelsHeight & 0xFFFF);
}

TEST_F(F5ActionTest, TitleMatchIsLostAfterTheFirstRunClassMatchIsNot) {
  struct Case { const char* cls; const char* title; size_t secondRunCalls; };
  const Case cases[] = {
      {"F5Action.Game", "CrossFire", 1},  // renamed: the second run finds nothing
      {"CrossFire", "game", 4},           // found again by its class
  };
  for (const Case& c : cases) {
    MessageLogWindow game(c.cls, c.title);
    RunWindowingAction();
    EXPECT_EQ(4u, g_callLog.size()) << c.cls;
    g_callLog.clear();
    RunWindowingAction();
    EXPECT_EQ(c.secondRunCalls, g_callLog.size()) << c.cls;
    EXPECT_EQ("display", g_callLog.back().what) << c.cls;
  }
}

}  // namespace

namespace {

// A game window that is gone the moment the lookup has read its title.
LRESULT CALLBACK VanishingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETTEXT && wParam > 9) {
    lstrcpynA(reinterpret_cast<char*>(lParam), "CrossFire", static_cast<int>(wParam));
    DestroyWindow(hwnd);
    return 9;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(F5ActionTest, GameWindowDestroyedBetweenLookupAndWindowing) {
  TestWindow game("F5Action.Vanishing", "CrossFire", WS_POPUP, {0, 0, 100, 100}, VanishingProc);
  ASSERT_TRUE(IsWindow(game.hwnd()));
  const HWND found = FindWindowByName("CrossFire");
  EXPECT_EQ(game.hwnd(), found);
  EXPECT_FALSE(IsWindow(found));  // the handle the windowing gets names no window

  TestWindow again("F5Action.Vanishing", "CrossFire", WS_POPUP, {0, 0, 100, 100}, VanishingProc);
  RunWindowingAction();  // the window calls fail; the display still switches
  EXPECT_FALSE(IsWindow(again.hwnd()));
  ASSERT_EQ(1u, recorder.changes.size());
  EXPECT_EQ(1024u, recorder.changes[0].mode.dmPelsWidth & 0xFFFF);
}

}  // namespace
