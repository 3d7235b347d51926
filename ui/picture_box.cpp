#include "ui/picture_box.h"

#include <cstring>
#include <new>

#include "ui/control_common.h"

namespace {

int DisplayBitsPerPixel() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return static_cast<int>(mode.dmBitsPerPel);
}

void DrawPicture(const DecodedPicture& picture, HDC dc, const RECT& destination) {
  const size_t tightRow = static_cast<size_t>(picture.width) * 3;
  const size_t paddedRow = (tightRow + 3) & ~static_cast<size_t>(3);
  std::unique_ptr<uint8_t[]> rows(new (std::nothrow) uint8_t[paddedRow * picture.height]);
  if (!rows) return;
  for (int32_t y = 0; y < picture.height; ++y) {
    uint8_t* to = rows.get() + paddedRow * y;
    std::memcpy(to, picture.pixels.get() + tightRow * y, tightRow);
    std::memset(to + tightRow, 0, paddedRow - tightRow);
  }

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;  // positive: rows run bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HBITMAP bitmap = CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, rows.get(), &info, DIB_RGB_COLORS);
  if (!bitmap) return;

  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  SetStretchBltMode(dc, DisplayBitsPerPixel() > 16 ? HALFTONE : COLORONCOLOR);
  StretchBlt(dc, destination.left, destination.top, destination.right - destination.left,
             destination.bottom - destination.top, memory, 0, 0, picture.width, picture.height,
             SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

LRESULT CALLBACK PictureBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  PictureBox* box = PictureBoxFromWindow(hwnd);
  if (box && msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    PaintPictureBox(*box, dc, client);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (box && msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (box->backBrush) DeleteObject(box->backBrush);
    delete box;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

PictureBoxSettings StoredPictureBoxSettings() {
  return {kDefaultColor, kPictureNatural, kStoredPicture, kStoredPicture_size};
}

HWND CreatePictureBox(HWND parent, int controlId, int left, int top, int width, int height,
                      const PictureBoxSettings& settings) {
  RegisterPlainClass(kPictureBoxClass, PictureBoxProc);
  HWND hwnd = g_windowCreation.createWindowExA(
      0, kPictureBoxClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, left, top, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleA(nullptr),
      nullptr);
  if (!hwnd) return nullptr;
  PictureBox* box = new PictureBox{};
  box->hwnd = hwnd;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
  box->backBrush = CreateSolidBrush(ResolveColor(settings.backColor));
  LoadPicture(box, settings.picture, settings.pictureSize);
  SetPictureDisplayMode(box, settings.displayMode);
  return hwnd;  // no border: nothing to apply
}

PictureBox* PictureBoxFromWindow(HWND hwnd) {
  return reinterpret_cast<PictureBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void LoadPicture(PictureBox* box, const unsigned char* data, size_t size) {
  box->picture.reset();
  if (size == 0) return;
  box->picture = DecodePicture(data, size);
  InvalidateRect(box->hwnd, nullptr, FALSE);
}

void SetPictureDisplayMode(PictureBox* box, int mode) {
  if (mode == box->displayMode) return;
  box->displayMode = mode;
  InvalidateRect(box->hwnd, nullptr, FALSE);
  UpdateWindow(box->hwnd);
}

RECT PictureDestination(int displayMode, int pictureWidth, int pictureHeight, const RECT& client) {
  const int clientWidth = client.right - client.left, clientHeight = client.bottom - client.top;
  switch (displayMode) {
    case kPictureStretched:
      return client;
    case kPictureCentred: {
      int width = pictureWidth, height = pictureHeight;
      if (width > clientWidth || height > clientHeight) {
        // Shrink by the tighter of the two ratios, aspect kept.
        if (static_cast<long long>(width) * clientHeight > static_cast<long long>(height) * clientWidth) {
          height = static_cast<int>(static_cast<long long>(height) * clientWidth / width);
          width = clientWidth;
        } else {
          width = static_cast<int>(static_cast<long long>(width) * clientHeight / height);
          height = clientHeight;
        }
      }
      const int left = client.left + (clientWidth - width) / 2;
      const int top = client.top + (clientHeight - height) / 2;
      return {left, top, left + width, top + height};
    }
    default:
      return {client.left, client.top, client.left + pictureWidth, client.top + pictureHeight};
  }
}

void PaintPictureBox(const PictureBox& box, HDC dc, const RECT& client) {
  if (box.backBrush) {
    HGDIOBJ oldBrush = SelectObject(dc, box.backBrush);
    PatBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top,
           PATCOPY);
    SelectObject(dc, oldBrush);
  }
  if (!box.picture) return;
  const RECT destination =
      PictureDestination(box.displayMode, box.picture->width, box.picture->height, client);
  DrawPicture(*box.picture, dc, destination);
}
