// libFuzzer target: any byte stream through the picture loader's decoder.
// Built natively on Linux with clang, AddressSanitizer and UBSan
// (scripts/fuzz.sh); the decoder has no Windows dependency.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

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

struct HeaderErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void JumpBack(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<HeaderErrors*>(cinfo->err)->jump, 1); }
void Quiet(j_common_ptr) {}

// The declared size, or false when the header does not read.
bool DeclaredPixels(const uint8_t* data, size_t size, uint64_t* pixels) {
  jpeg_decompress_struct cinfo;
  HeaderErrors errors;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpBack;
  errors.base.output_message = Quiet;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  *pixels = static_cast<uint64_t>(cinfo.image_width) * cinfo.image_height;
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint64_t pixels = 0;
  if (size > 5 && DeclaredPixels(data, size, &pixels) && pixels > kMaxFuzzedPixels) return 0;
  std::unique_ptr<DecodedPicture> picture = DecodePicture(data, size);
  if (picture) {
    // Touch every byte, so that a buffer of the wrong size shows.
    const size_t bytes = static_cast<size_t>(picture->width) * picture->height * 3;
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < bytes; ++i) sum = sum + picture->pixels[i];
  }
  return 0;
}
