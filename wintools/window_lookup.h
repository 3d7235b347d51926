// Finding a top-level window by its exact class name or title.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

// A text value owned by its reader; null stands for the empty text.
using OwnedText = std::unique_ptr<char[]>;

// What the lookup returns when nothing matches.
inline const HWND kNotFoundWindow = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

// The first top-level window, in Z order from the top, whose class name or
// title equals `name` byte for byte; kNotFoundWindow when there is none.
HWND FindWindowByName(const char* name);

// The window's class name or title as read through a 255-character buffer;
// null for window 0 (no system call is made then).
OwnedText GetClassText(HWND window);
OwnedText GetTitleText(HWND window);

// -1, 0 or 1 comparing unsigned bytes up to the NUL; null counts as empty.
int32_t CompareText(const char* first, const char* second);
