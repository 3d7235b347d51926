// A stand-in for the display calls: a current mode of 32 bpp, 1280x1024 at
// 75 Hz, a mode 0 whose fields are all recognisable, and every change kept.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "wintools/display_mode.h"

struct DisplayRecorder {
  struct Enumeration { const char* device; DWORD modeNumber; DWORD sizeSeen; };
  struct Change { DEVMODEA mode; DWORD flags; };
  bool currentFails = false;
  std::vector<Enumeration> enumerations;
  std::vector<Change> changes;
};

extern DisplayRecorder recorder;

class DisplayRecorderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  DisplaySystem saved_;
};
