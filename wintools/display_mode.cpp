#include "wintools/display_mode.h"

#include <memory>
#include <new>

DisplaySystem g_displaySystem = {EnumDisplaySettingsA, ChangeDisplaySettingsA};

namespace {

uint16_t Low16(DWORD value) { return static_cast<uint16_t>(value & 0xFFFF); }
void SetLow16(DWORD& field, uint16_t value) { field = (field & 0xFFFF0000u) | value; }

constexpr DWORD kModeFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;

}  // namespace

void ChangeDisplayMode(uint16_t bitsPerPixel, uint16_t width, uint16_t height, uint16_t frequency) {
  std::unique_ptr<DEVMODEA> mode(new (std::nothrow) DEVMODEA());
  if (!mode) return;
  mode->dmSize = sizeof(DEVMODEA);

  g_displaySystem.enumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, mode.get());
  if (bitsPerPixel == 0) bitsPerPixel = Low16(mode->dmBitsPerPel);
  if (width == 0) width = Low16(mode->dmPelsWidth);
  if (height == 0) height = Low16(mode->dmPelsHeight);
  if (frequency == 0) frequency = Low16(mode->dmDisplayFrequency);

  g_displaySystem.enumDisplaySettingsA(nullptr, 0, mode.get());
  mode->dmFields = (mode->dmFields & 0x0000FFFFu) | kModeFields;
  SetLow16(mode->dmBitsPerPel, bitsPerPixel);
  SetLow16(mode->dmPelsWidth, width);
  SetLow16(mode->dmPelsHeight, height);
  SetLow16(mode->dmDisplayFrequency, frequency);

  g_displaySystem.changeDisplaySettingsA(mode.get(), CDS_FULLSCREEN);
}
