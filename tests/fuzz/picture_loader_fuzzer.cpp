// libFuzzer target: any byte stream through the picture loader's decoder.
// Built natively on Linux with clang, AddressSanitizer and UBSan
// (scripts/fuzz.sh); the decoder has no Windows dependency.
#include <cstddef>
#include <cstdint>

#include "ui/jpeg_decoder.h"

namespace {

// The run's memory limit is 2048 MB (scripts/fuzz.sh). A stream may declare
// up to 65500 x 65500 pixels in a few hundred bytes; the decoder accepts up
// to 2 GB of pixels and libjpeg's own buffers come on top, so such a stream
// would be reported as running out of memory although the decoder handles
// it (the suite replays those in tests/data/fuzz-regressions). Larger
// declared sizes are skipped here: 16 M pixels keep the pixels (48 MB) and a
// progressive stream's coefficients (96 MB) far inside the limit, and each
// run short.
constexpr uint64_t kMaxFuzzedPixels = 16u << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint32_t width = 0, height = 0;
  if (ReadDeclaredSize(data, size, &width, &height) &&
      static_cast<uint64_t>(width) * height > kMaxFuzzedPixels) {
    return 0;
  }
  std::unique_ptr<DecodedPicture> picture = DecodePicture(data, size);
  if (picture) {
    // Touch every byte, so that a buffer of the wrong size shows.
    const size_t bytes = static_cast<size_t>(picture->width) * picture->height * 3;
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < bytes; ++i) sum = sum + picture->pixels[i];
  }
  return 0;
}
