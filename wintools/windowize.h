// Turning a window into a framed window at the top-left corner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

// WS_OVERLAPPEDWINDOW with WS_VISIBLE, WS_CLIPSIBLINGS, WS_MINIMIZE and
// WS_MAXIMIZE: the style the game window is given.
inline constexpr LONG kWindowedStyle = 0x35CF0000;

// Replaces the style (when restyle is true), sets the title (when given),
// moves the window to 0,0 at width x height (800 x 600 when omitted), then
// switches the display when a display width or height is given.
void WindowizeWindow(HWND window, std::optional<int32_t> width, std::optional<int32_t> height,
                     std::optional<const char*> title, std::optional<bool> restyle,
                     std::optional<int32_t> displayWidth, std::optional<int32_t> displayHeight);
