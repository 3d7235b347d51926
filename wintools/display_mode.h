// Switching the display mode for the time the program runs.
#pragma once

#include <windows.h>

#include <cstdint>

// The two display calls; tests stand in for them to see the exact record.
struct DisplaySystem {
  BOOL (WINAPI* enumDisplaySettingsA)(LPCSTR device, DWORD modeNumber, DEVMODEA* mode);
  LONG (WINAPI* changeDisplaySettingsA)(DEVMODEA* mode, DWORD flags);
};
extern DisplaySystem g_displaySystem;

// Switches the default display (CDS_FULLSCREEN). A value of 0 keeps the
// current one. The record rests on mode 0 of the driver's list, with the four
// values written into the low 16 bits of their fields. Reports nothing.
void ChangeDisplayMode(uint16_t bitsPerPixel, uint16_t width, uint16_t height, uint16_t frequency);
