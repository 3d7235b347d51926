// The animation box: a child window that paints itself and polls a list of
// watched keys on a 5 ms timer, raising "watched key pressed" while one of
// them is held, at most once per its interval and once per tick.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "keywatch/watch_list.h"

// Modifier state passed with the event: the sum of those held.
enum WatchModifier : int32_t { kModCtrl = 1, kModShift = 2, kModAlt = 4 };

// The "watched key pressed" event (event 17 of the box): key code, modifiers.
using WatchedKeyPressedHandler = void (*)(int32_t keyCode, int32_t modifiers);

inline constexpr UINT_PTR kAnimationBoxTimerId = 1;
inline constexpr UINT kAnimationBoxTimerPeriod = 5;  // ms
inline constexpr char kAnimationBoxClass[] = "CfWindowTool.AnimationBox";

struct AnimationBox {
  HWND hwnd;
  COLORREF backColor;  // kDefaultColor stands for COLOR_BTNFACE
  HBITMAP image;  // the whole client area, filled with backColor
  SIZE imageSize;
  bool timerStarted;
  WatchList watchList;
  WatchedKeyPressedHandler onWatchedKeyPressed;
};

// When the boxes' windows were last pushed to paint (UpdateWindow at most
// every 100 ms): one value shared by all boxes, starting at 0.
extern DWORD g_paintFlushTick;

// Creates the box's window (WS_CHILD | WS_CLIPSIBLINGS | extraStyle, hidden)
// through the controls' window-creation call, and starts its timer. Null
// when the window cannot be created. The box is freed with its window.
AnimationBox* CreateAnimationBox(HWND parent, int controlId, int left, int top, int width,
                                 int height, DWORD extraStyle);

HWND AnimationBoxWindow(const AnimationBox* box);
AnimationBox* AnimationBoxFromWindow(HWND hwnd);

void SetWatchedKeyHandler(AnimationBox* box, WatchedKeyPressedHandler handler);

// Arms the keys given with one interval: 10 when omitted, 0 when negative.
// Key code 0 is skipped; every other one appends an entry.
void WatchKeys(AnimationBox* box, std::optional<int32_t> interval,
               std::initializer_list<int32_t> keyCodes);

// One timer tick, as WM_TIMER runs it (exposed for tests and the benchmark).
void RunAnimationBoxTick(AnimationBox* box);
