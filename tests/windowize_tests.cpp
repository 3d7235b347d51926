// The windowing routine on a real window; the display change is recorded.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/display_recorder.h"
#include "tests/message_log_window.h"
#include "tests/test_support.h"
#include "wintools/window_lookup.h"
#include "wintools/windowize.h"

namespace {

using std::nullopt;

class WindowizeTest : public DisplayRecorderTest {
 protected:
  void SetUp() override {
    DisplayRecorderTest::SetUp();
    LogDisplayChanges();
    g_callLog.clear();
  }
  std::vector<std::string> CallOrder() {
    std::vector<std::string> order;
    for (const LoggedCall& c : g_callLog) order.push_back(c.what);
    return order;
  }
};

void ExpectRect(const RECT& expected, const RECT& actual) {
  EXPECT_EQ(expected.left, actual.left);
  EXPECT_EQ(expected.top, actual.top);
  EXPECT_EQ(expected.right, actual.right);
  EXPECT_EQ(expected.bottom, actual.bottom);
}

const char kTitle[] = "\xE1\xB6\xD6\xDB\x43\x46\xB4\xB0\xBF\xDA\xBB\xAF\xB3\xC9\xB9\xA6\xA3\xA1";

TEST_F(WindowizeTest, TheToolsCall) {
  MessageLogWindow game("CrossFire", "CrossFire");
  WindowizeWindow(game.hwnd(), nullopt, nullopt, kTitle, true, 1024, 768);

  EXPECT_EQ((std::vector<std::string>{"style", "title", "move", "display"}), CallOrder());
  EXPECT_EQ(0x35CF0000u, g_callLog[0].style);
  EXPECT_EQ(HexBytes(kTitle), HexBytes(g_callLog[1].text));
  ExpectRect({0, 0, 800, 600}, g_callLog[2].rect);
  ExpectRect({0, 0, 1024, 768}, g_callLog[3].rect);

  // Read back, the style keeps both the minimised and the maximised bit.
  EXPECT_EQ(0x35CF0000u, static_cast<DWORD>(GetWindowLongA(game.hwnd(), GWL_STYLE)));
  // The routine leaves the extended style alone; the system itself adds
  // WS_EX_WINDOWEDGE to a window that now has a caption and sizing frame.
  EXPECT_EQ(static_cast<DWORD>(WS_EX_WINDOWEDGE),
            static_cast<DWORD>(GetWindowLongA(game.hwnd(), GWL_EXSTYLE)));
  EXPECT_EQ(HexBytes(kTitle), HexBytes(GetTitleText(game.hwnd()).get()));
  // Wine sizes a window whose style has WS_MINIMIZE to its minimised size,
  // so its rectangle is not 800 x 600 here; what was asked for is above.
}

TEST_F(WindowizeTest, OptionalParameters) {
  struct Case {
    const char* name;
    std::optional<int32_t> width, height;
    std::optional<const char*> title;
    std::optional<bool> restyle;
    std::optional<int32_t> displayWidth, displayHeight;
    std::vector<std::string> order;
    RECT move;
    RECT display;  // right, bottom: width and height of the request
  };
  const Case cases[] = {
      {"only display height", nullopt, nullopt, nullopt, nullopt, nullopt, 600,
       {"move", "display"}, {0, 0, 800, 600}, {0, 0, 1280, 600}},
      {"given 0 as display width", nullopt, nullopt, nullopt, nullopt, 0, 600,
       {"move", "display"}, {0, 0, 800, 600}, {0, 0, 1280, 600}},
      {"only display width", nullopt, nullopt, nullopt, nullopt, 1024, nullopt,
       {"move", "display"}, {0, 0, 800, 600}, {0, 0, 1024, 1024}},
      {"neither display value", nullopt, nullopt, kTitle, true, nullopt, nullopt,
       {"style", "title", "move"}, {0, 0, 800, 600}, {}},
      {"width 0", 0, nullopt, nullopt, nullopt, nullopt, nullopt,
       {"move"}, {0, 0, 0, 600}, {}},
      {"width and height", 640, 480, nullopt, false, nullopt, nullopt,
       {"move"}, {0, 0, 640, 480}, {}},
      {"display width given as 0 alone", nullopt, nullopt, nullopt, nullopt, 0, nullopt,
       {"move", "display"}, {0, 0, 800, 600}, {0, 0, 1280, 1024}},
      {"display height given as 0 alone", nullopt, nullopt, nullopt, nullopt, nullopt, 0,
       {"move", "display"}, {0, 0, 800, 600}, {0, 0, 1280, 1024}},
      {"title given as empty", nullopt, nullopt, "", nullopt, nullopt, nullopt,
       {"title", "move"}, {0, 0, 800, 600}, {}},
      {"height 0", nullopt, 0, nullopt, nullopt, nullopt, nullopt,
       {"move"}, {0, 0, 800, 0}, {}},
      {"restyle given as false", nullopt, nullopt, nullopt, false, nullopt, nullopt,
       {"move"}, {0, 0, 800, 600}, {}},
      {"display width above 16 bits", nullopt, nullopt, nullopt, nullopt, 0x10400, 768,
       {"move", "display"}, {0, 0, 800, 600}, {0, 0, 1024, 768}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MessageLogWindow game("Windowize.Target", "before");
    const DWORD styleBefore = static_cast<DWORD>(GetWindowLongA(game.hwnd(), GWL_STYLE));
    WindowizeWindow(game.hwnd(), c.width, c.height, c.title, c.restyle, c.displayWidth,
                    c.displayHeight);
    EXPECT_EQ(c.order, CallOrder());
    for (const LoggedCall& call : g_callLog) {
      if (call.what == "move") ExpectRect(c.move, call.rect);
      if (call.what == "display") ExpectRect(c.display, call.rect);
    }
    if (!c.restyle.value_or(false)) {
      EXPECT_EQ(styleBefore, static_cast<DWORD>(GetWindowLongA(game.hwnd(), GWL_STYLE)));
    }
    EXPECT_STREQ(c.title ? *c.title : "before", GetTitleText(game.hwnd()).get());
  }
}

TEST_F(WindowizeTest, NotFoundHandleStillSwitchesTheDisplay) {
  WindowizeWindow(kNotFoundWindow, nullopt, nullopt, kTitle, true, 1024, 768);
  EXPECT_EQ(std::vector<std::string>{"display"}, CallOrder());
  ExpectRect({0, 0, 1024, 768}, g_callLog[0].rect);
}

}  // namespace
