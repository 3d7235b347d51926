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

// The largest picture kept, in bytes of its bitmap rows (each padded to a
// multiple of 4 bytes, as the paint copies them): a device-independent
// bitmap's size must fit a signed 32-bit value. A larger one is no picture;
// the check also keeps the size arithmetic from wrapping on 32-bit builds.
inline constexpr uint64_t kMaxPictureBytes = 0x7FFFFFFF;

inline uint64_t PaddedPictureBytes(uint64_t width, uint64_t height) {
  return (width * 3 + 3) / 4 * 4 * height;
}

// True for a picture of at least 1 x 1 whose padded rows fit kMaxPictureBytes.
bool FitsPictureLimit(uint64_t width, uint64_t height);

// The picture size a JPEG stream's header declares; false when the header
// cannot be read. Decodes nothing.
bool ReadDeclaredSize(const unsigned char* data, size_t size, uint32_t* width, uint32_t* height);

// True when the stream is taken for a JPEG: longer than 5 bytes, FF D8 first.
bool LooksLikeJpeg(const unsigned char* data, size_t size);

// Null when the stream is not recognised, libjpeg reports an error, it is
// not greyscale or three-component, it is larger than kMaxPictureBytes, or
// there is no memory for the pixels.
// Reports nothing.
std::unique_ptr<DecodedPicture> DecodePicture(const unsigned char* data, size_t size);
