#include "wintools/window_lookup.h"

#include <cstring>
#include <new>

namespace {

constexpr int kReadCapacity = 255;

// Reads through a fresh buffer of 255 spaces and a NUL; a call that writes
// nothing leaves the spaces, which then make the text.
OwnedText ReadWindowText(HWND window, int (WINAPI* read)(HWND, LPSTR, int)) {
  if (!window) return nullptr;
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kReadCapacity + 1]);
  if (!buffer) return nullptr;
  std::memset(buffer.get(), ' ', kReadCapacity);
  buffer[kReadCapacity] = '\0';
  read(window, buffer.get(), kReadCapacity);
  const size_t length = std::strlen(buffer.get());
  OwnedText text(new (std::nothrow) char[length + 1]);
  if (text) std::memcpy(text.get(), buffer.get(), length + 1);
  return text;
}

bool Matches(const OwnedText& text, const char* name) { return CompareText(text.get(), name) == 0; }

}  // namespace

OwnedText GetClassText(HWND window) { return ReadWindowText(window, GetClassNameA); }

OwnedText GetTitleText(HWND window) { return ReadWindowText(window, GetWindowTextA); }

int32_t CompareText(const char* first, const char* second) {
  if (!first) return (!second || !*second) ? 0 : -1;
  if (!second) return *first ? 1 : 0;
  const auto* a = reinterpret_cast<const unsigned char*>(first);
  const auto* b = reinterpret_cast<const unsigned char*>(second);
  for (;; ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
    if (!*a) return 0;
  }
}

HWND FindWindowByName(const char* name) {
  for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (Matches(GetClassText(window), name)) return window;
    if (Matches(GetTitleText(window), name)) return window;
  }
  return kNotFoundWindow;
}
