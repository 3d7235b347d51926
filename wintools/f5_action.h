// The tool's job: F5 windows the game and switches the display to 1024x768.
#pragma once

#include <cstdint>

inline constexpr int32_t kWindowingKey = 0x74;       // VK_F5
inline constexpr int32_t kWindowingKeyInterval = 200;  // ms between two actions
inline constexpr char kGameWindowName[] = "CrossFire";

// "岫舟CF窗口化成功！" in code page 936, 18 bytes.
inline constexpr char kWindowedTitle[] =
    "\xE1\xB6\xD6\xDB\x43\x46\xB4\xB0\xBF\xDA\xBB\xAF\xB3\xC9\xB9\xA6\xA3\xA1";
static_assert(sizeof(kWindowedTitle) == 19);

// The main window's creation event: arms F5 on its animation box.
void OnMainWindowCreated();

// The animation box's watched key pressed event.
void OnWatchedKeyPressed(int32_t keyCode, int32_t modifiers);

// Finds the game window and windows it, then switches the display. The
// handle is passed on even when nothing was found.
void RunWindowingAction();
