#include "ui/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <jpeglib.h>

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void ReturnToDecoder(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void KeepQuiet(j_common_ptr) {}

// Errors come back to the caller's setjmp, warnings are not printed.
void UseQuietErrors(jpeg_decompress_struct& cinfo, ErrorManager& errors) {
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ReturnToDecoder;
  errors.base.output_message = KeepQuiet;
}

// Plain C-style frame: no object with a destructor lives across setjmp, so
// the jump out of libjpeg skips nothing. Returns a malloc'd buffer of
// bottom-up BGR rows, as device-independent bitmaps hold them, or null.
uint8_t* DecodeBottomUpBgr(const unsigned char* data, size_t size, int32_t* width,
                          int32_t* height) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  uint8_t* volatile pixels = nullptr;
  JSAMPLE* volatile row = nullptr;

  UseQuietErrors(cinfo, errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(pixels);
    std::free(row);
    return nullptr;
  }
  jpeg_create_decompress(&cinfo);
  // Whole-image buffers libjpeg needs (progressive streams) stay within the
  // same bound; beyond it libjpeg reports an error instead of allocating.
  cinfo.mem->max_memory_to_use = kMaxPictureBytes;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  jpeg_calc_output_dimensions(&cinfo);
  // Before libjpeg allocates anything for the picture: a declared size that
  // could never be drawn means no picture.
  if (!FitsPictureLimit(cinfo.output_width, cinfo.output_height)) {
    jpeg_destroy_decompress(&cinfo);
    return nullptr;
  }
  jpeg_start_decompress(&cinfo);

  const int components = cinfo.output_components;
  const size_t w = cinfo.output_width, h = cinfo.output_height;
  if (components == 1 || components == 3) {
    pixels = static_cast<uint8_t*>(std::malloc(w * h * 3));
    row = static_cast<JSAMPLE*>(std::malloc(w * components));
  }
  if (!pixels || !row) {
    jpeg_destroy_decompress(&cinfo);
    std::free(pixels);
    std::free(row);
    return nullptr;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    const size_t y = cinfo.output_scanline;
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&cinfo, rows, 1);
    uint8_t* out = pixels + (h - 1 - y) * w * 3;
    for (size_t x = 0; x < w; ++x, out += 3) {
      const JSAMPLE* in = row + x * components;
      out[0] = in[components == 3 ? 2 : 0];  // blue
      out[1] = in[components == 3 ? 1 : 0];
      out[2] = in[0];                        // red
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::free(row);
  *width = static_cast<int32_t>(w);
  *height = static_cast<int32_t>(h);
  return pixels;
}

}  // namespace

bool FitsPictureLimit(uint64_t width, uint64_t height) {
  // In 64 bits: on the 32-bit build width * height * 3 can wrap size_t
  // (65500 x 21858 would come out as about 130 KB).
  return width > 0 && height > 0 && PaddedPictureBytes(width, height) <= kMaxPictureBytes;
}

bool ReadDeclaredSize(const unsigned char* data, size_t size, uint32_t* width, uint32_t* height) {
  if (!LooksLikeJpeg(data, size)) return false;
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  UseQuietErrors(cinfo, errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  *width = cinfo.image_width;
  *height = cinfo.image_height;
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool LooksLikeJpeg(const unsigned char* data, size_t size) {
  return data && size > 5 && data[0] == 0xFF && data[1] == 0xD8;
}

std::unique_ptr<DecodedPicture> DecodePicture(const unsigned char* data, size_t size) {
  if (!LooksLikeJpeg(data, size)) return nullptr;
  auto picture = std::unique_ptr<DecodedPicture>(new (std::nothrow) DecodedPicture);
  if (!picture) return nullptr;
  picture->pixels.reset(DecodeBottomUpBgr(data, size, &picture->width, &picture->height));
  if (!picture->pixels) return nullptr;
  return picture;
}
