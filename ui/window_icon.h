// The window icon: icon-file bytes holding a 32x32 and a 16x16 image at
// 24 bits per pixel. The exe's icon resource is built from the same file.
#pragma once

#include <windows.h>

#include <cstddef>

extern const unsigned char kWindowIcon[];
extern const size_t kWindowIcon_size;

// Makes an icon from the image of the given size in icon-file bytes;
// null when the data holds no such image.
HICON CreateIconOfSize(const unsigned char* iconFile, size_t size, int pixels);
