#include "ui/main_window.h"

#include "app/program.h"
#include "ui/picture_box.h"
#include "ui/text_label.h"
#include "ui/texts.h"
#include "ui/control_common.h"
#include "ui/window_icon.h"
#include "wintools/f5_action.h"

MainWindowEvents g_mainWindowEvents = {OnMainWindowCreated, OnWatchedKeyPressed};

namespace {

enum class ControlKind { kPictureBox, kAnimationBox, kLabel };

// The window's controls in their Z order, top first. They are created in
// the reverse order, so the label gets the first ID.
struct ControlRow {
  const char* name;
  ControlKind kind;
  int left, top, width, height;
  int id;
  DWORD extraStyle;
};

constexpr ControlRow kControls[] = {
    {"图片框1", ControlKind::kPictureBox, 0, 24, 168, 112, kPictureBox1Id, 0},
    {"动画框1", ControlKind::kAnimationBox, 40, 120, 100, 100, kAnimationBox1Id, WS_TABSTOP},
    {"标签1", ControlKind::kLabel, 4, -8, 196, 48, kLabel1Id, 0},
};
constexpr int kControlCount = sizeof(kControls) / sizeof(kControls[0]);

struct MainWindow {
  HWND hwnd;
  HICON bigIcon;
  HICON smallIcon;
  HWND controls[kControlCount];  // in the order of kControls
  AnimationBox* animationBox1;
  HWND lastFocus;  // the control that had the focus when the window was deactivated
};

MainWindow g_window;

HWND CreateControl(const ControlRow& row, HWND parent) {
  switch (row.kind) {
    case ControlKind::kPictureBox:
      return CreatePictureBox(parent, row.id, row.left, row.top, row.width, row.height,
                              StoredPictureBoxSettings());
    case ControlKind::kAnimationBox: {
      g_window.animationBox1 = CreateAnimationBox(parent, row.id, row.left, row.top,
                                                  row.width, row.height, row.extraStyle);
      if (!g_window.animationBox1) return nullptr;
      SetWatchedKeyHandler(g_window.animationBox1, g_mainWindowEvents.onWatchedKeyPressed);
      return AnimationBoxWindow(g_window.animationBox1);
    }
    case ControlKind::kLabel:
      return CreateTextLabel(parent, row.id, row.left, row.top, row.width, row.height,
                             kInstructionText, InstructionLabelSettings());
  }
  return nullptr;
}

bool IsTabStop(HWND control) {
  return (GetWindowLongA(control, GWL_STYLE) & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) ==
         (WS_TABSTOP | WS_VISIBLE);
}

// The next (or previous) tab-stop control after `from`, in the control order.
HWND NextTabStop(HWND from, bool backwards) {
  int start = -1;
  for (int i = 0; i < kControlCount; ++i) {
    if (g_window.controls[i] == from) start = i;
  }
  for (int step = 1; step <= kControlCount; ++step) {
    int i = backwards ? start - step : start + step;
    i = ((i % kControlCount) + kControlCount) % kControlCount;
    if (IsTabStop(g_window.controls[i])) return g_window.controls[i];
  }
  return nullptr;
}

bool IsKeyDown(int key) { return GetKeyState(key) < 0; }

void OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  PaintMainWindow(dc, ps.rcPaint);
  EndPaint(hwnd, &ps);
}

void OnActivate(HWND hwnd, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) return;
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd, focus)) g_window.lastFocus = focus;
}

void OnSetFocus() {
  HWND target = g_window.lastFocus;
  if (!target || !IsWindow(target) || !IsChild(g_window.hwnd, target)) {
    target = NextTabStop(nullptr, false);
  }
  if (target) SetFocus(target);
}

void OnNcDestroy() {
  if (g_window.bigIcon) DestroyIcon(g_window.bigIcon);
  if (g_window.smallIcon) DestroyIcon(g_window.smallIcon);
  g_window = MainWindow{};
  QuitIfNoWindowsLeft();
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      OnPaint(hwnd);
      return 0;
    case WM_ACTIVATE:
      OnActivate(hwnd, wParam);
      break;
    case WM_SETFOCUS: {
      LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
      OnSetFocus();
      return result;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_NCDESTROY: {
      LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
      if (hwnd == g_window.hwnd) OnNcDestroy();
      return result;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void SetIcons(HWND hwnd) {
  g_window.bigIcon = CreateIconOfSize(kWindowIcon, kWindowIcon_size, 32);
  g_window.smallIcon = CreateIconOfSize(kWindowIcon, kWindowIcon_size, 16);
  SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_window.bigIcon));
  SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_window.smallIcon));
}

// On a failed creation the half-built window goes again, so that no
// hidden window outlives the failure.
bool AbandonCreation() {
  if (g_window.hwnd) DestroyWindow(g_window.hwnd);
  g_window = MainWindow{};
  return false;
}

}  // namespace

bool CreateMainWindow() {
  RegisterPlainClass(kMainWindowClass, MainWindowProc);

  const int x = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
  HWND hwnd = g_windowCreation.createWindowExA(
      0, kMainWindowClass, kMainWindowTitle, kMainWindowStyle, x, y, kMainWindowWidth,
      kMainWindowHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  g_window.hwnd = hwnd;

  RECT rect;
  GetWindowRect(hwnd, &rect);
  if (rect.right - rect.left != kMainWindowWidth || rect.bottom - rect.top != kMainWindowHeight) {
    MoveWindow(hwnd, x, y, kMainWindowWidth, kMainWindowHeight, TRUE);
  }

  SetIcons(hwnd);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);

  for (int i = kControlCount - 1; i >= 0; --i) {
    g_window.controls[i] = CreateControl(kControls[i], hwnd);
    if (!g_window.controls[i]) return AbandonCreation();
  }

  // Z order as the table lists it: each control right below the one before.
  const UINT zFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
  SetWindowPos(g_window.controls[0], HWND_TOP, 0, 0, 0, 0, zFlags);
  for (int i = 1; i < kControlCount; ++i) {
    SetWindowPos(g_window.controls[i], g_window.controls[i - 1], 0, 0, 0, 0, zFlags);
  }
  for (int i = kControlCount - 1; i >= 0; --i) ShowWindow(g_window.controls[i], SW_SHOWNA);

  if (g_mainWindowEvents.onCreated) g_mainWindowEvents.onCreated();

  if (MainWindowExists()) ShowWindow(hwnd, SW_SHOW);
  return true;
}

bool MainWindowExists() { return g_window.hwnd && IsWindow(g_window.hwnd); }

HWND MainWindowHandle() { return g_window.hwnd; }

HWND MainWindowControl(int controlId) {
  for (int i = 0; i < kControlCount; ++i) {
    if (kControls[i].id == controlId) return g_window.controls[i];
  }
  return nullptr;
}

AnimationBox* MainWindowAnimationBox() { return g_window.animationBox1; }

bool IsForMainWindow(HWND hwnd) {
  return g_window.hwnd && hwnd && (hwnd == g_window.hwnd || IsChild(g_window.hwnd, hwnd));
}

bool PreTranslateMainWindowMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const bool ctrl = IsKeyDown(VK_CONTROL), shift = IsKeyDown(VK_SHIFT), alt = IsKeyDown(VK_MENU);
  if (msg.wParam == VK_ESCAPE && !ctrl && !shift && !alt) {
    SendMessageA(g_window.hwnd, WM_CLOSE, 0, 0);
    return true;
  }
  if (msg.wParam == VK_TAB && !ctrl && !alt) {
    if (HWND next = NextTabStop(GetFocus(), shift)) SetFocus(next);
    return true;
  }
  return false;
}

void PaintMainWindow(HDC dc, const RECT& area) {
  HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}
