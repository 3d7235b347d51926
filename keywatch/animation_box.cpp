#include "keywatch/animation_box.h"

#include "keywatch/poller_system.h"
#include "ui/control_common.h"

DWORD g_paintFlushTick = 0;

namespace {

constexpr int32_t kFlushPeriod = 100;  // ms

bool IsDown(int key) { return g_pollerSystem.getKeyState(key) < 0; }

// Rebuilds the image of the client area when the box's size has changed.
void UpdateImage(AnimationBox* box, HDC dc) {
  RECT client;
  GetClientRect(box->hwnd, &client);
  const SIZE size = {client.right, client.bottom};
  if (box->image && size.cx == box->imageSize.cx && size.cy == box->imageSize.cy) return;
  if (box->image) DeleteObject(box->image);
  box->image = CreateCompatibleBitmap(dc, size.cx > 0 ? size.cx : 1, size.cy > 0 ? size.cy : 1);
  box->imageSize = size;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, box->image);
  HBRUSH brush = CreateSolidBrush(ResolveColor(box->backColor));
  FillRect(memory, &client, brush);
  DeleteObject(brush);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void OnPaint(AnimationBox* box) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(box->hwnd, &ps);
  UpdateImage(box, dc);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, box->image);
  BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
         ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  EndPaint(box->hwnd, &ps);
}

void OnDestroy(AnimationBox* box) {
  if (box->timerStarted) {
    KillTimer(box->hwnd, kAnimationBoxTimerId);
    box->timerStarted = false;
  }
}

void FreeBox(AnimationBox* box) {
  ClearWatchList(box->watchList);
  if (box->image) DeleteObject(box->image);
  delete box;
}

LRESULT CALLBACK AnimationBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  AnimationBox* box = AnimationBoxFromWindow(hwnd);
  if (!box) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_TIMER:
      DefWindowProcA(hwnd, msg, wParam, lParam);
      RunAnimationBoxTick(box);
      return 0;
    case WM_PAINT:
      OnPaint(box);
      return 0;
    case WM_MOUSEACTIVATE:
      SetFocus(hwnd);
      return MA_ACTIVATE;
    case WM_DESTROY: {
      LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
      OnDestroy(box);
      return result;
    }
    case WM_NCDESTROY: {
      LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      FreeBox(box);
      return result;
    }
  }
  // The box's mouse events have no handlers in this program.
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

AnimationBox* CreateAnimationBox(HWND parent, int controlId, int left, int top, int width,
                                 int height, DWORD extraStyle) {
  RegisterPlainClass(kAnimationBoxClass, AnimationBoxProc);
  HWND hwnd = g_windowCreation.createWindowExA(
      0, kAnimationBoxClass, "", WS_CHILD | WS_CLIPSIBLINGS | extraStyle, left, top, width, height,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleA(nullptr),
      nullptr);
  if (!hwnd) return nullptr;
  AnimationBox* box = new AnimationBox{};
  box->hwnd = hwnd;
  box->backColor = kDefaultColor;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
  SetTimer(hwnd, kAnimationBoxTimerId, kAnimationBoxTimerPeriod, nullptr);
  box->timerStarted = true;
  return box;
}

HWND AnimationBoxWindow(const AnimationBox* box) { return box ? box->hwnd : nullptr; }

AnimationBox* AnimationBoxFromWindow(HWND hwnd) {
  return reinterpret_cast<AnimationBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void SetWatchedKeyHandler(AnimationBox* box, WatchedKeyPressedHandler handler) {
  box->onWatchedKeyPressed = handler;
}

void WatchKeys(AnimationBox* box, std::optional<int32_t> interval,
               std::initializer_list<int32_t> keyCodes) {
  if (!box) return;
  int32_t used = interval.value_or(10);
  if (used < 0) used = 0;
  for (int32_t key : keyCodes) {
    if (key != 0) AppendWatchEntry(box->watchList, key, used);  // no memory: skip it
  }
}

void RunAnimationBoxTick(AnimationBox* box) {
  const DWORD now = g_pollerSystem.getTickCount();

  WatchList& list = box->watchList;
  for (size_t i = 0; i < list.count; ++i) {
    WatchEntry& entry = list.entries[i];
    if (!IsWatchEntryDue(entry, now) || !IsDown(entry.keyCode)) continue;

    entry.lastFireTick = static_cast<int32_t>(now);
    entry.hasFired = 1;
    const int32_t keyCode = entry.keyCode;
    HWND window = box->hwnd;
    int32_t modifiers = 0;
    if (IsDown(VK_CONTROL)) modifiers += kModCtrl;
    if (IsDown(VK_SHIFT)) modifiers += kModShift;
    if (IsDown(VK_MENU)) modifiers += kModAlt;
    if (box->onWatchedKeyPressed) box->onWatchedKeyPressed(keyCode, modifiers);
    // The handler may have destroyed the box along with its window.
    if (!IsWindow(window)) return;
    break;
  }

  if (static_cast<int32_t>(now - g_paintFlushTick) > kFlushPeriod) {
    UpdateWindow(box->hwnd);
    g_paintFlushTick = g_pollerSystem.getTickCount();
  }
}
