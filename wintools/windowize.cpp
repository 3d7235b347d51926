#include "wintools/windowize.h"

#include "wintools/display_mode.h"

void WindowizeWindow(HWND window, std::optional<int32_t> width, std::optional<int32_t> height,
                     std::optional<const char*> title, std::optional<bool> restyle,
                     std::optional<int32_t> displayWidth, std::optional<int32_t> displayHeight) {
  if (restyle.value_or(false)) SetWindowLongA(window, GWL_STYLE, kWindowedStyle);
  if (title) SetWindowTextA(window, *title);
  MoveWindow(window, 0, 0, width.value_or(800), height.value_or(600), TRUE);
  if (displayWidth || displayHeight) {
    ChangeDisplayMode(0, static_cast<uint16_t>(displayWidth.value_or(0)),
                      static_cast<uint16_t>(displayHeight.value_or(0)), 0);
  }
}
