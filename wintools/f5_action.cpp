#include "wintools/f5_action.h"

#include "ui/main_window.h"
#include "wintools/window_lookup.h"
#include "wintools/windowize.h"

void OnMainWindowCreated() {
  WatchKeys(MainWindowAnimationBox(), kWindowingKeyInterval, {kWindowingKey});
}

void OnWatchedKeyPressed(int32_t keyCode, int32_t /*modifiers: Ctrl+F5 counts as F5*/) {
  if (keyCode == kWindowingKey) RunWindowingAction();
}

void RunWindowingAction() {
  HWND game = FindWindowByName(kGameWindowName);
  WindowizeWindow(game, std::nullopt, std::nullopt, kWindowedTitle, true, 1024, 768);
}
