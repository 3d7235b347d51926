#include "keywatch/watch_list.h"

#include <cstdlib>

bool AppendWatchEntry(WatchList& list, int32_t keyCode, int32_t interval) {
  if (list.count == list.capacity) {
    const size_t capacity = list.capacity ? list.capacity * 2 : 4;
    void* grown = std::realloc(list.entries, capacity * sizeof(WatchEntry));
    if (!grown) return false;
    list.entries = static_cast<WatchEntry*>(grown);
    list.capacity = capacity;
  }
  WatchEntry& entry = list.entries[list.count++];
  entry.keyCode = keyCode;
  entry.interval = static_cast<uint32_t>(interval);
  entry.hasFired = 0;
  entry.lastFireTick = 0;
  return true;
}

void ClearWatchList(WatchList& list) {
  std::free(list.entries);
  list = WatchList{};
}
