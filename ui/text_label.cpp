#include "ui/text_label.h"

#include <memory>
#include <new>

#include "ui/control_common.h"

namespace {

LRESULT CALLBACK TextLabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TextLabel* label = TextLabelFromWindow(hwnd);
  if (label && msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintTextLabel(*label, dc);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (label && msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    delete label;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

TextLabelSettings InstructionLabelSettings() {
  return {RGB(255, 0, 0), kDefaultColor, kAlignNear, kAlignCentre, false};
}

HWND CreateTextLabel(HWND parent, int controlId, int left, int top, int width, int height,
                     const char* caption, const TextLabelSettings& settings) {
  RegisterPlainClass(kTextLabelClass, TextLabelProc);
  HWND hwnd = g_windowCreation.createWindowExA(
      0, kTextLabelClass, caption, WS_CHILD | WS_CLIPSIBLINGS, left, top, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleA(nullptr),
      nullptr);
  if (!hwnd) return nullptr;
  TextLabel* label = new TextLabel{hwnd, settings};
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label));
  return hwnd;
}

TextLabel* TextLabelFromWindow(HWND hwnd) {
  return reinterpret_cast<TextLabel*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

UINT LabelTextFormat(const TextLabelSettings& settings) {
  static const UINT kHorizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  static const UINT kVertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
  UINT format = DT_NOPREFIX | kHorizontal[settings.horizontalAlignment % 3];
  if (settings.wordWrap) return format | DT_WORDBREAK | DT_VCENTER;
  return format | DT_SINGLELINE | kVertical[settings.verticalAlignment % 3];
}

void PaintTextLabel(const TextLabel& label, HDC dc) {
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip)) return;
  RECT client;
  GetClientRect(label.hwnd, &client);
  RECT area;
  IntersectRect(&area, &clip, &client);
  HRGN region = CreateRectRgnIndirect(&area);
  SelectClipRgn(dc, region);
  HBRUSH brush = CreateSolidBrush(ResolveColor(label.settings.backColor));
  FillRgn(dc, region, brush);
  DeleteObject(brush);
  DeleteObject(region);

  const int capacity = GetWindowTextLengthA(label.hwnd) + 1;
  std::unique_ptr<char[]> text(new (std::nothrow) char[capacity]);
  const int length = text ? GetWindowTextA(label.hwnd, text.get(), capacity) : 0;
  if (length <= 0) return;
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, label.settings.textColor);
  DrawTextA(dc, text.get(), length, &client, LabelTextFormat(label.settings));
  SelectObject(dc, oldFont);
}
