// Finding the game window among real top-level windows.
#include <gtest/gtest.h>

#include <string>

#include "tests/test_support.h"
#include "wintools/window_lookup.h"

namespace {

// Puts the window at the very top of the Z order.
void BringToTop(HWND hwnd) {
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TEST(CompareText, Cases) {
  struct Case { const char* first; const char* second; int32_t expected; };
  const Case cases[] = {
      {nullptr, nullptr, 0},
      {nullptr, "", 0},
      {"", nullptr, 0},
      {nullptr, "a", -1},
      {"a", nullptr, 1},
      {"", "", 0},
      {"CrossFire", "CrossFire", 0},
      {"Cross", "CrossFire", -1},       // a prefix is lower
      {"CrossFire", "Cross", 1},
      {"crossfire", "CrossFire", 1},    // no case folding: 'c' > 'C'
      {"CrossFire ", "CrossFire", 1},
      {"\xB0", "\x41", 1},              // bytes compare unsigned
      {"\x41", "\xB0", -1},
      {"\xB4\xB0", "\xB4\xB1", -1},     // a double-byte character, byte by byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, CompareText(c.first, c.second))
        << HexBytes(c.first) << " vs " << HexBytes(c.second);
  }
}

TEST(ReadWindowTexts, HandleZeroGivesNull) {
  // A call made with handle 0 would have left the 255 spaces: a text.
  EXPECT_EQ(nullptr, GetClassText(nullptr));
  EXPECT_EQ(nullptr, GetTitleText(nullptr));
}

TEST(ReadWindowTexts, ClassAndTitleBytes) {
  TestWindow w("Lookup.Class", "\xB4\xB0\xBF\xDA title");
  EXPECT_STREQ("Lookup.Class", GetClassText(w.hwnd()).get());
  EXPECT_EQ("B4 B0 BF DA 20 74 69 74 6C 65", HexBytes(GetTitleText(w.hwnd()).get()));
}

TEST(ReadWindowTexts, LongTitleIsCutToTheBuffer) {
  const std::string title(300, 'x');
  TestWindow w("Lookup.Long", title.c_str());
  // 255 characters of room, the terminator included.
  EXPECT_EQ(std::string(254, 'x'), GetTitleText(w.hwnd()).get());
}

TEST(FindWindowByName, NothingMatchesGivesMinusOne) {
  // Case and a trailing space differ. (Class names themselves are matched
  // without case by the system when registering, so case is shown on titles.)
  TestWindow spaced("CrossFire ", "CrossFire ");
  TestWindow lower("Lookup.Other", "crossfire");
  TestWindow upper("Lookup.Upper", "CROSSFIRE");
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<intptr_t>(-1)), FindWindowByName("CrossFire"));
  EXPECT_EQ(kNotFoundWindow, FindWindowByName("CrossFire"));
}

TEST(FindWindowByName, ByClassNameOrByTitle) {
  {
    TestWindow game("CrossFire", "some title");
    EXPECT_EQ(game.hwnd(), FindWindowByName("CrossFire"));
  }
  {
    TestWindow game("Lookup.Game", "CrossFire", WS_POPUP);  // hidden windows count too
    EXPECT_EQ(game.hwnd(), FindWindowByName("CrossFire"));
  }
}

TEST(FindWindowByName, HigherInZOrderWins) {
  struct Case { bool upperByClass, lowerByClass; };
  for (const Case& c : {Case{true, false}, Case{false, true}, Case{true, true}, Case{false, false}}) {
    TestWindow lower(c.lowerByClass ? "CrossFire" : "Lookup.Lower", c.lowerByClass ? "low" : "CrossFire");
    TestWindow upper(c.upperByClass ? "CrossFire" : "Lookup.Upper", c.upperByClass ? "up" : "CrossFire");
    BringToTop(upper.hwnd());
    EXPECT_EQ(upper.hwnd(), FindWindowByName("CrossFire")) << c.upperByClass << c.lowerByClass;
    BringToTop(lower.hwnd());
    EXPECT_EQ(lower.hwnd(), FindWindowByName("CrossFire")) << c.upperByClass << c.lowerByClass;
  }
}

TEST(FindWindowByName, WindowAtTheVeryTopIsFound) {
  TestWindow game("CrossFire", "top");
  BringToTop(game.hwnd());
  ASSERT_EQ(game.hwnd(), GetWindow(GetDesktopWindow(), GW_CHILD));
  EXPECT_EQ(game.hwnd(), FindWindowByName("CrossFire"));
}

TEST(FindWindowByName, EmptyOrNullNameFindsTheFirstEmptyTitle) {
  TestWindow untitled("Lookup.Untitled", "");
  BringToTop(untitled.hwnd());
  ASSERT_EQ(untitled.hwnd(), GetWindow(GetDesktopWindow(), GW_CHILD));
  EXPECT_EQ(untitled.hwnd(), FindWindowByName(""));
  EXPECT_EQ(untitled.hwnd(), FindWindowByName(nullptr));
}

// Title reads arrive as WM_GETTEXT at windows of this process; class names
// are read without a message. So the count shows what the lookup read.
int g_titleReads = 0;
WPARAM g_titleCapacity = 0;
LRESULT CALLBACK CountTitleReads(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETTEXT) {
    ++g_titleReads;
    g_titleCapacity = wParam;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(FindWindowByName, ClassNameIsReadBeforeTheTitle) {
  TestWindow game("Lookup.Counted.CrossFire", "CrossFire", WS_POPUP, {0, 0, 50, 50}, CountTitleReads);
  BringToTop(game.hwnd());
  g_titleReads = 0;
  EXPECT_EQ(game.hwnd(), FindWindowByName("Lookup.Counted.CrossFire"));
  EXPECT_EQ(0, g_titleReads);  // matched by its class: its title is never read
  g_titleReads = 0;
  EXPECT_EQ(game.hwnd(), FindWindowByName("CrossFire"));
  EXPECT_EQ(1, g_titleReads);  // class first, no match; then the title, once
  EXPECT_EQ(255u, g_titleCapacity);
}

TEST(FindWindowByName, ChildWindowsAreNotSearched) {
  TestWindow parent("Lookup.Parent", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TestWindow("CrossFire", "unused");  // registers the class
  HWND byClass = CreateWindowExA(0, "CrossFire", "child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                 parent.hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND byTitle = CreateWindowExA(0, "Lookup.Parent", "CrossFire", WS_CHILD | WS_VISIBLE, 0, 60, 50,
                                 50, parent.hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, byClass);
  ASSERT_NE(nullptr, byTitle);
  BringToTop(parent.hwnd());
  EXPECT_EQ(kNotFoundWindow, FindWindowByName("CrossFire"));
}

TEST(FindWindowByName, LongTitlesAboveTheGameDoNotHideIt) {
  TestWindow game("CrossFire", "game");
  const std::string longTitle(1000, 'C');
  TestWindow above("Lookup.LongTitle", longTitle.c_str());
  BringToTop(above.hwnd());
  EXPECT_EQ(game.hwnd(), FindWindowByName("CrossFire"));
}

}  // namespace
