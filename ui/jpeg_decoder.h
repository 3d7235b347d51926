// Turns a JPEG byte stream into the picture box's pixels. Free of Windows
// headers, so it also builds natively (the fuzz target and host tests).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

// Bottom-up rows of blue, green, red bytes; 3 * width bytes a row with
// nothing between rows.
struct DecodedPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::unique_ptr<uint8_t[], FreeDeleter> pixels;
};

// True when the stream is taken for a JPEG: longer than 5 bytes, FF D8 first.
bool LooksLikeJpeg(const unsigned char* data, size_t size);

// Null when the stream is not recognised, libjpeg reports an error, it is
// not greyscale or three-component, or there is no memory for the pixels.
// Reports nothing.
std::unique_ptr<DecodedPicture> DecodePicture(const unsigned char* data, size_t size);
