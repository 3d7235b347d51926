// The picture box: shows a JPEG picture decoded once at creation.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "ui/jpeg_decoder.h"

enum PictureDisplayMode : int {
  kPictureNatural = 0,   // own size, top-left corner at the client's
  kPictureStretched = 1, // scaled to the whole client area
  kPictureCentred = 2,   // centred, shrunk (aspect kept) when larger
};

struct PictureBoxSettings {
  COLORREF backColor;  // kDefaultColor stands for COLOR_BTNFACE
  int displayMode;
  const unsigned char* picture;
  size_t pictureSize;
};

struct PictureBox {
  HWND hwnd;
  HBRUSH backBrush;  // made once at creation
  int displayMode;
  std::unique_ptr<DecodedPicture> picture;
};

inline constexpr char kPictureBoxClass[] = "CfWindowTool.PictureBox";

extern const unsigned char kStoredPicture[];
extern const size_t kStoredPicture_size;

// The settings of the main window's picture box: the stored picture, natural.
PictureBoxSettings StoredPictureBoxSettings();

// Creates the picture box's window (hidden) and its picture. Null when the
// window cannot be created; a picture that cannot be decoded leaves none.
HWND CreatePictureBox(HWND parent, int controlId, int left, int top, int width, int height,
                      const PictureBoxSettings& settings);

PictureBox* PictureBoxFromWindow(HWND hwnd);

// Replaces the picture with the one in `data` (none for an empty stream).
void LoadPicture(PictureBox* box, const unsigned char* data, size_t size);

void SetPictureDisplayMode(PictureBox* box, int mode);

// Where the picture goes in a client area of the given size.
RECT PictureDestination(int displayMode, int pictureWidth, int pictureHeight, const RECT& client);

// The whole of WM_PAINT between BeginPaint and EndPaint.
void PaintPictureBox(const PictureBox& box, HDC dc, const RECT& client);
