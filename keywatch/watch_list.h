// The watched keys of an animation box: 12-byte entries, in the order armed.
#pragma once

#include <cstddef>
#include <cstdint>

struct WatchEntry {
  int32_t keyCode;          // never 0
  uint32_t interval : 31;   // minimum milliseconds between two firings, 0 or more
  uint32_t hasFired : 1;    // a key that never fired is due at any tick count
  int32_t lastFireTick;     // GetTickCount() at the last firing; 0 for a new entry
};
static_assert(sizeof(WatchEntry) == 12, "entries are 12 bytes");

struct WatchList {
  WatchEntry* entries = nullptr;
  size_t count = 0;
  size_t capacity = 0;
};

// Appends {keyCode, interval, 0}. False, with the list unchanged, when
// there is no memory for it. `interval` must be 0 or more.
bool AppendWatchEntry(WatchList& list, int32_t keyCode, int32_t interval);

void ClearWatchList(WatchList& list);

// True when at least `interval` ms have passed since the entry last fired,
// or it never fired. The difference is taken unsigned, so a tick count at
// or above 2^31, or one that wrapped past 2^32, is judged right.
inline bool IsWatchEntryDue(const WatchEntry& entry, uint32_t now) {
  return !entry.hasFired || now - static_cast<uint32_t>(entry.lastFireTick) >= entry.interval;
}
