// libFuzzer target: any byte stream through the picture loader's decoder.
// Built natively on Linux with clang, AddressSanitizer and UBSan
// (scripts/fuzz.sh); the decoder has no Windows dependency.
#include <cstddef>
#include <cstdint>

#include "ui/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<DecodedPicture> picture = DecodePicture(data, size);
  if (picture) {
    // Touch every byte, so that a buffer of the wrong size shows.
    const size_t bytes = static_cast<size_t>(picture->width) * picture->height * 3;
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < bytes; ++i) sum = sum + picture->pixels[i];
  }
  return 0;
}
