// The display-mode record handed to the system, seen through a stand-in.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/display_recorder.h"
#include "wintools/display_mode.h"

namespace {

TEST_F(DisplayRecorderTest, ToolsCallKeepsDepthAndFrequency) {
  ChangeDisplayMode(0, 1024, 768, 0);
  ASSERT_EQ(1u, recorder.changes.size());
  const DEVMODEA& m = recorder.changes[0].mode;
  EXPECT_EQ(static_cast<DWORD>(CDS_FULLSCREEN), recorder.changes[0].flags);
  EXPECT_EQ(0x77770000u | 32, m.dmBitsPerPel);   // upper halves: mode 0's
  EXPECT_EQ(0x66660000u | 1024, m.dmPelsWidth);
  EXPECT_EQ(0x55550000u | 768, m.dmPelsHeight);
  EXPECT_EQ(0x44440000u | 75, m.dmDisplayFrequency);
}

TEST_F(DisplayRecorderTest, ZerosKeepTheCurrentMode) {
  struct Case { uint16_t bpp, width, height, frequency; DWORD expected[4]; };
  const Case cases[] = {
      {0, 0, 0, 0, {32, 1280, 1024, 75}},
      {16, 0, 0, 0, {16, 1280, 1024, 75}},
      {0, 0, 600, 0, {32, 1280, 600, 75}},
      {8, 640, 480, 60, {8, 640, 480, 60}},
  };
  for (const Case& c : cases) {
    recorder.changes.clear();
    ChangeDisplayMode(c.bpp, c.width, c.height, c.frequency);
    ASSERT_EQ(1u, recorder.changes.size());
    const DEVMODEA& m = recorder.changes[0].mode;
    EXPECT_EQ(c.expected[0], m.dmBitsPerPel & 0xFFFF);
    EXPECT_EQ(c.expected[1], m.dmPelsWidth & 0xFFFF);
    EXPECT_EQ(c.expected[2], m.dmPelsHeight & 0xFFFF);
    EXPECT_EQ(c.expected[3], m.dmDisplayFrequency & 0xFFFF);
  }
}

TEST_F(DisplayRecorderTest, RecordRestsOnModeZero) {
  ChangeDisplayMode(0, 1024, 768, 0);
  ASSERT_EQ(1u, recorder.changes.size());
  const DEVMODEA& m = recorder.changes[0].mode;
  EXPECT_STREQ("mode zero", reinterpret_cast<const char*>(m.dmDeviceName));
  EXPECT_EQ(96, m.dmLogPixels);
  EXPECT_EQ(0x00000002u, m.dmDisplayFlags);
  // Upper half: exactly the four mode flags; lower half: mode 0's.
  EXPECT_EQ(0x005C0000u | 0x1234u, m.dmFields);
  // The record was sized before the first enumeration.
  ASSERT_EQ(2u, recorder.enumerations.size());
  EXPECT_EQ(ENUM_CURRENT_SETTINGS, recorder.enumerations[0].modeNumber);
  EXPECT_EQ(sizeof(DEVMODEA), recorder.enumerations[0].sizeSeen);
  EXPECT_EQ(0u, recorder.enumerations[1].modeNumber);
  EXPECT_EQ(nullptr, recorder.enumerations[0].device);
}

TEST_F(DisplayRecorderTest, FailedCurrentEnumerationLeavesZeros) {
  recorder.currentFails = true;
  ChangeDisplayMode(0, 1024, 0, 0);
  ASSERT_EQ(1u, recorder.changes.size());
  const DEVMODEA& m = recorder.changes[0].mode;
  EXPECT_EQ(0x77770000u, m.dmBitsPerPel);
  EXPECT_EQ(0x66660000u | 1024, m.dmPelsWidth);
  EXPECT_EQ(0x55550000u, m.dmPelsHeight);
  EXPECT_EQ(0x44440000u, m.dmDisplayFrequency);
}

}  // namespace
