// The label: one line of text in a colour of its own on a plain background.
#pragma once

#include <windows.h>

enum LabelAlignment : int { kAlignNear = 0, kAlignCentre = 1, kAlignFar = 2 };

struct TextLabelSettings {
  COLORREF textColor;
  COLORREF backColor;  // kDefaultColor stands for COLOR_BTNFACE, looked up at every paint
  int horizontalAlignment;
  int verticalAlignment;
  bool wordWrap;
};

struct TextLabel {
  HWND hwnd;
  TextLabelSettings settings;
};

inline constexpr char kTextLabelClass[] = "CfWindowTool.TextLabel";

// Red, left-aligned, vertically centred, one line: the main window's label.
TextLabelSettings InstructionLabelSettings();

// Creates the label's window (hidden) with `caption` as its window text.
// Null when the window cannot be created.
HWND CreateTextLabel(HWND parent, int controlId, int left, int top, int width, int height,
                     const char* caption, const TextLabelSettings& settings);

TextLabel* TextLabelFromWindow(HWND hwnd);

// The DrawText format for the settings (0x824 for the instruction label:
// DT_NOPREFIX | DT_LEFT | DT_SINGLELINE | DT_VCENTER).
UINT LabelTextFormat(const TextLabelSettings& settings);

// The whole of WM_PAINT between BeginPaint and EndPaint.
void PaintTextLabel(const TextLabel& label, HDC dc);
