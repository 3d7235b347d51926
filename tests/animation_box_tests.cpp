// The animation box's watched-key poller. The tick count and key state come
// from stand-ins; the windows are real.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "keywatch/animation_box.h"
#include "keywatch/poller_system.h"
#include "tests/test_support.h"

namespace {

struct FakeSystem {
  DWORD now = 1000;
  std::set<int> down;
  std::set<int> toggledOnly;  // low bit set (a toggle key that is on), high bit clear
  std::vector<int> keyQueries;
  int tickQueries = 0;
};
FakeSystem* g_fake = nullptr;

DWORD WINAPI FakeTickCount() {
  ++g_fake->tickQueries;
  return g_fake->now;
}
SHORT WINAPI FakeKeyState(int key) {
  g_fake->keyQueries.push_back(key);
  if (g_fake->down.count(key)) return static_cast<SHORT>(0x8001);
  return g_fake->toggledOnly.count(key) ? 0x0001 : 0;
}

struct Event { int32_t key, modifiers; DWORD at; };
std::vector<Event> g_events;
void (*g_duringEvent)() = nullptr;
AnimationBox* g_realTimerBox = nullptr;  // its first entry's firing tick is the event's time

void RecordEvent(int32_t key, int32_t modifiers) {
  const DWORD at = g_fake ? g_fake->now
                          : static_cast<DWORD>(g_realTimerBox->watchList.entries[0].lastFireTick);
  g_events.push_back({key, modifiers, at});
  if (g_duringEvent) g_duringEvent();
}

class PollerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = g_pollerSystem;
    savedFlushTick_ = g_paintFlushTick;
    g_paintFlushTick = 0;
    g_fake = &fake_;
    g_pollerSystem = {FakeTickCount, FakeKeyState};
    g_events.clear();
    g_duringEvent = nullptr;
    parent_ = new TestWindow("PollerParent", "poller", WS_OVERLAPPEDWINDOW, {0, 0, 400, 400});
    box_ = CreateAnimationBox(parent_->hwnd(), 110, 40, 120, 100, 100, WS_TABSTOP);
    ASSERT_NE(nullptr, box_);
    SetWatchedKeyHandler(box_, RecordEvent);
  }
  void TearDown() override {
    delete parent_;
    g_pollerSystem = saved_;
    g_paintFlushTick = savedFlushTick_;
    g_fake = nullptr;
  }
  // One tick at `now`; returns the events it raised.
  std::vector<Event> TickAt(DWORD now) {
    fake_.now = now;
    g_events.clear();
    RunAnimationBoxTick(box_);
    return g_events;
  }
  std::vector<int32_t> KeysFiredAt(DWORD now) {
    std::vector<int32_t> keys;
    for (const Event& e : TickAt(now)) keys.push_back(e.key);
    return keys;
  }
  PollerSystem saved_;
  DWORD savedFlushTick_ = 0;
  FakeSystem fake_;
  TestWindow* parent_ = nullptr;
  AnimationBox* box_ = nullptr;
};

using Keys = std::vector<int32_t>;

TEST_F(PollerTest, BoxWindowAndClass) {
  HWND hwnd = AnimationBoxWindow(box_);
  EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP),
            static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)));
  EXPECT_EQ(0u, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
  EXPECT_EQ(0x0000000Bu, static_cast<DWORD>(GetClassLongA(hwnd, GCL_STYLE)));
  EXPECT_EQ(GetStockObject(NULL_BRUSH), reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND)));
  EXPECT_EQ(0, GetWindowTextLengthA(hwnd));
  EXPECT_EQ(110, GetDlgCtrlID(hwnd));
  EXPECT_TRUE(box_->timerStarted);
}

TEST_F(PollerTest, WatchKeysIntervalsAndKeyCodes) {
  struct Case { std::optional<int32_t> interval; std::vector<int32_t> keys; std::vector<uint32_t> intervals; };
  const Case cases[] = {
      {std::nullopt, {116}, {10}},     // omitted: 10
      {-5, {116}, {0}},                // negative: 0
      {0, {116}, {0}},
      {200, {0, 116}, {200}},          // key code 0 is skipped
      {200, {}, {}},                   // no keys: no entries
      {30, {65, 66, 65}, {30, 30, 30}},  // one interval for all, duplicates kept
  };
  for (const Case& c : cases) {
    ClearWatchList(box_->watchList);
    switch (c.keys.size()) {
      case 0: WatchKeys(box_, c.interval, {}); break;
      case 1: WatchKeys(box_, c.interval, {c.keys[0]}); break;
      case 2: WatchKeys(box_, c.interval, {c.keys[0], c.keys[1]}); break;
      default: WatchKeys(box_, c.interval, {c.keys[0], c.keys[1], c.keys[2]}); break;
    }
    std::vector<uint32_t> intervals;
    for (size_t i = 0; i < box_->watchList.count; ++i) {
      intervals.push_back(box_->watchList.entries[i].interval);
      EXPECT_NE(0, box_->watchList.entries[i].keyCode);
      EXPECT_EQ(0, box_->watchList.entries[i].lastFireTick);
    }
    EXPECT_EQ(c.intervals, intervals);
  }
}

TEST_F(PollerTest, IntervalZeroFiresOncePerTickWhileHeld) {
  WatchKeys(box_, 0, {116});
  fake_.down = {116};
  for (DWORD t = 1000; t < 1050; t += 10) EXPECT_EQ(Keys{116}, KeysFiredAt(t)) << t;
  EXPECT_EQ(Keys{116}, KeysFiredAt(1050));  // same tick count again: still one
  fake_.down.clear();
  EXPECT_EQ(Keys{}, KeysFiredAt(1060));
}

TEST_F(PollerTest, HeldKeyFiresOncePerInterval) {
  WatchKeys(box_, 200, {116});
  fake_.down = {116};
  std::vector<DWORD> fired;
  for (DWORD t = 1000; t <= 1700; t += 10) {
    if (!TickAt(t).empty()) fired.push_back(t);
  }
  EXPECT_EQ((std::vector<DWORD>{1000, 1200, 1400, 1600}), fired);
}

TEST_F(PollerTest, SameKeyArmedTwiceFiresOnConsecutiveTicks) {
  WatchKeys(box_, 200, {116});
  WatchKeys(box_, 100, {116});
  fake_.down = {116};
  EXPECT_EQ(Keys{116}, KeysFiredAt(1000));  // first entry
  EXPECT_EQ(Keys{116}, KeysFiredAt(1010));  // second entry
  EXPECT_EQ(Keys{}, KeysFiredAt(1020));
  EXPECT_EQ(Keys{116}, KeysFiredAt(1110));  // second again after its 100 ms
  EXPECT_EQ(Keys{116}, KeysFiredAt(1200));  // first again after its 200 ms
  EXPECT_EQ(Keys{}, KeysFiredAt(1205));
  EXPECT_EQ(200, box_->watchList.entries[0].lastFireTick - 1000);
  EXPECT_EQ(110, box_->watchList.entries[1].lastFireTick - 1000);
}

TEST_F(PollerTest, KeyArmedFirstFiresFirst) {
  WatchKeys(box_, 200, {65});
  WatchKeys(box_, 200, {116});
  fake_.down = {65, 116};
  EXPECT_EQ(Keys{65}, KeysFiredAt(1000));
  EXPECT_EQ(Keys{116}, KeysFiredAt(1010));
  EXPECT_EQ(Keys{}, KeysFiredAt(1020));
}

TEST_F(PollerTest, ModifierStateOfTheEvent) {
  struct Case { std::set<int> modifiers; int32_t expected; };
  const Case cases[] = {
      {{}, 0}, {{VK_CONTROL}, 1}, {{VK_SHIFT}, 2}, {{VK_CONTROL, VK_SHIFT}, 3},
      {{VK_MENU}, 4}, {{VK_CONTROL, VK_SHIFT, VK_MENU}, 7},
  };
  WatchKeys(box_, 0, {116});
  DWORD t = 1000;
  for (const Case& c : cases) {
    fake_.down = c.modifiers;
    fake_.down.insert(116);
    const std::vector<Event> events = TickAt(t += 10);
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(116, events[0].key);
    EXPECT_EQ(c.expected, events[0].modifiers);
  }
}

TEST_F(PollerTest, KeyStateIsReadOnlyForDueEntriesAndModifiersOnlyOnFiring) {
  WatchKeys(box_, 200, {65, 116});
  fake_.down = {116};

  fake_.keyQueries.clear();
  TickAt(1000);  // 65 due and up, 116 due and down: fires
  EXPECT_EQ((std::vector<int>{65, 116, VK_CONTROL, VK_SHIFT, VK_MENU}), fake_.keyQueries);

  fake_.keyQueries.clear();
  TickAt(1010);  // 116 not due: not queried; 65 due and up
  EXPECT_EQ(std::vector<int>{65}, fake_.keyQueries);

  box_->watchList.entries[0].hasFired = 1;
  box_->watchList.entries[0].lastFireTick = 1010;
  fake_.keyQueries.clear();
  TickAt(1020);  // neither due
  EXPECT_EQ(std::vector<int>{}, fake_.keyQueries);
}

TEST_F(PollerTest, TickCountIsReadOnceUnlessThePaintFlushIsDue) {
  WatchKeys(box_, 200, {116});
  g_paintFlushTick = 5000;
  struct Case { DWORD now; int tickReads; DWORD flushTickAfter; };
  const Case cases[] = {
      {5050, 1, 5000},
      {5100, 1, 5000},  // 100 ms: not more than the period
      {5101, 2, 5101},  // UpdateWindow and a fresh read for the flush tick
      {5150, 1, 5101},
      {4000, 1, 5101},  // behind the flush tick (signed difference): no flush
  };
  for (const Case& c : cases) {
    fake_.tickQueries = 0;
    TickAt(c.now);
    EXPECT_EQ(c.tickReads, fake_.tickQueries) << c.now;
    EXPECT_EQ(c.flushTickAfter, g_paintFlushTick) << c.now;
  }
}

TEST_F(PollerTest, KeyWithOnlyItsToggleBitSetDoesNotFire) {
  WatchKeys(box_, 0, {VK_F5});
  fake_.toggledOnly = {VK_F5};
  EXPECT_EQ(Keys{}, KeysFiredAt(1000));
  fake_.toggledOnly.clear();
  fake_.down = {VK_F5};
  EXPECT_EQ(Keys{VK_F5}, KeysFiredAt(1010));
}

TEST_F(PollerTest, HandlerLongerThanTheIntervalFiresAgainOnTheNextTick) {
  WatchKeys(box_, 200, {116});
  fake_.down = {116};
  g_duringEvent = [] { g_fake->now += 500; };  // the handler takes 500 ms
  EXPECT_EQ(Keys{116}, KeysFiredAt(1000));
  EXPECT_EQ(Keys{116}, KeysFiredAt(1510));
}

TEST_F(PollerTest, HandlerThatDestroysTheBoxEndsTheTickAtOnce) {
  WatchKeys(box_, 0, {116});
  WatchKeys(box_, 0, {65});
  fake_.down = {116, 65};
  g_paintFlushTick = 9000;
  static HWND parent;
  parent = parent_->hwnd();
  g_duringEvent = [] { DestroyWindow(parent); };
  fake_.tickQueries = 0;
  fake_.keyQueries.clear();
  // The flush would be due (and read the tick count again) had the tick gone on.
  EXPECT_EQ(Keys{116}, KeysFiredAt(9500));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_EQ(1, fake_.tickQueries);
  EXPECT_EQ((std::vector<int>{116, VK_CONTROL, VK_SHIFT, VK_MENU}), fake_.keyQueries);
}

// A never-fired entry is due at any tick count; afterwards the interval is
// measured across 2^31 and across the wrap at 2^32 alike.
TEST_F(PollerTest, DueTestAtEveryTickCount) {
  const DWORD starts[] = {0u, 5u, 0x7FFFFFF0u, 0x7FFFFFFFu, 0x80000000u, 0x80000010u,
                          0xFFFFFF00u, 0xFFFFFFF0u, 0xFFFFFFFFu};
  for (DWORD start : starts) {
    ClearWatchList(box_->watchList);
    WatchKeys(box_, 200, {116});
    fake_.down = {116};
    EXPECT_EQ(Keys{116}, KeysFiredAt(start)) << std::hex << start;
    EXPECT_EQ(Keys{}, KeysFiredAt(start + 199)) << std::hex << start;
    EXPECT_EQ(Keys{116}, KeysFiredAt(start + 200)) << std::hex << start;
    EXPECT_EQ(Keys{}, KeysFiredAt(start + 210)) << std::hex << start;
  }
}

TEST_F(PollerTest, MouseActivationTakesTheFocus) {
  ShowWindow(parent_->hwnd(), SW_SHOW);
  ShowWindow(AnimationBoxWindow(box_), SW_SHOW);
  SetFocus(parent_->hwnd());
  EXPECT_EQ(MA_ACTIVATE, SendMessageA(AnimationBoxWindow(box_), WM_MOUSEACTIVATE,
                                      reinterpret_cast<WPARAM>(parent_->hwnd()),
                                      MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
  EXPECT_EQ(AnimationBoxWindow(box_), GetFocus());
}

TEST_F(PollerTest, PaintsButtonFace) {
  ShowWindow(parent_->hwnd(), SW_SHOW);
  ShowWindow(AnimationBoxWindow(box_), SW_SHOW);
  UpdateWindow(parent_->hwnd());
  PumpMessages(30);
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = CaptureClient(AnimationBoxWindow(box_), &width, &height);
  ASSERT_EQ(100, width);
  ASSERT_EQ(100, height);
  const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE));
  for (uint32_t p : pixels) ASSERT_EQ(face, p);
}

// The real timer and real keyboard input: F5 held for about a second while
// another window has the focus.
TEST(PollerWithRealTimer, HeldF5FiresEvery200MsOnceTheLoopRuns) {
  g_events.clear();
  g_duringEvent = nullptr;
  TestWindow parent("PollerParent", "poller");
  AnimationBox* box = CreateAnimationBox(parent.hwnd(), 110, 0, 0, 100, 100, WS_TABSTOP);
  ASSERT_NE(nullptr, box);
  g_realTimerBox = box;
  SetWatchedKeyHandler(box, RecordEvent);
  WatchKeys(box, 200, {VK_F5});
  TestWindow focused("FocusOwner", "focus", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetForegroundWindow(focused.hwnd());
  PumpMessages(50);

  SendKey(VK_F5, true);
  Sleep(300);  // held, but no messages are dispatched: nothing may fire
  EXPECT_TRUE(g_events.empty());
  const DWORD start = GetTickCount();
  PumpMessages(1000);
  SendKey(VK_F5, false);
  PumpMessages(300);

  ASSERT_GE(g_events.size(), 5u);
  EXPECT_LE(g_events.size(), 6u);
  // The first firing comes with the first tick after the loop runs: Wine's
  // timer ticks every 10 ms.
  EXPECT_LE(g_events.front().at - start, 60u);
  for (size_t i = 1; i < g_events.size(); ++i) {
    EXPECT_GE(g_events[i].at - g_events[i - 1].at, 200u) << i;
    EXPECT_EQ(VK_F5, g_events[i].key);
    EXPECT_EQ(0, g_events[i].modifiers);
  }
}

}  // namespace
