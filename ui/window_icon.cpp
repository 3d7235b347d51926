#include "ui/window_icon.h"

#include <cstdint>
#include <cstring>

namespace {

uint16_t ReadU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t ReadU32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

HICON CreateIconOfSize(const unsigned char* iconFile, size_t size, int pixels) {
  const size_t kDirSize = 6, kEntrySize = 16;
  if (size < kDirSize) return nullptr;
  const unsigned count = ReadU16(iconFile + 4);
  for (unsigned i = 0; i < count; ++i) {
    const unsigned char* entry = iconFile + kDirSize + i * kEntrySize;
    if (entry + kEntrySize > iconFile + size) return nullptr;
    const int width = entry[0] ? entry[0] : 256;
    const int height = entry[1] ? entry[1] : 256;
    const uint32_t bytes = ReadU32(entry + 8);
    const uint32_t offset = ReadU32(entry + 12);
    if (width != pixels || height != pixels) continue;
    if (offset > size || bytes > size - offset) return nullptr;
    return CreateIconFromResourceEx(const_cast<PBYTE>(iconFile + offset), bytes, TRUE,
                                    0x00030000, width, height, LR_DEFAULTCOLOR);
  }
  return nullptr;
}
