#include "tests/display_recorder.h"

#include <cstring>

DisplayRecorder recorder;

namespace {

BOOL WINAPI RecordEnumeration(LPCSTR device, DWORD modeNumber, DEVMODEA* mode) {
  recorder.enumerations.push_back({device, modeNumber, mode->dmSize});
  if (modeNumber == ENUM_CURRENT_SETTINGS) {
    if (recorder.currentFails) return FALSE;
    mode->dmBitsPerPel = 32;
    mode->dmPelsWidth = 1280;
    mode->dmPelsHeight = 1024;
    mode->dmDisplayFrequency = 75;
    mode->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    return TRUE;
  }
  // Mode 0 overwrites the whole record.
  const WORD size = mode->dmSize;
  std::memset(mode, 0, sizeof(*mode));
  mode->dmSize = size;
  std::strcpy(reinterpret_cast<char*>(mode->dmDeviceName), "mode zero");
  mode->dmBitsPerPel = 0x77770000u | 4;
  mode->dmPelsWidth = 0x66660000u | 640;
  mode->dmPelsHeight = 0x55550000u | 480;
  mode->dmDisplayFrequency = 0x44440000u | 50;
  mode->dmFields = 0x00A20000u | 0x1234u;  // DM_DISPLAYFLAGS among the upper flags
  mode->dmLogPixels = 96;
  mode->dmDisplayFlags = 2;
  return TRUE;
}

LONG WINAPI RecordChange(DEVMODEA* mode, DWORD flags) {
  recorder.changes.push_back({*mode, flags});
  return DISP_CHANGE_SUCCESSFUL;
}

}  // namespace

void DisplayRecorderTest::SetUp() {
  recorder = DisplayRecorder{};
  saved_ = g_displaySystem;
  g_displaySystem = {RecordEnumeration, RecordChange};
}

void DisplayRecorderTest::TearDown() { g_displaySystem = saved_; }
