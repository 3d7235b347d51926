// The window texts, as their code-page-936 bytes (the ...A calls take them
// as they are). Hex escapes keep the bytes exact whatever the editor's
// encoding; each is followed by the text itself.
#pragma once

// "岫舟专用CF窗口化工具", 20 bytes
inline constexpr char kMainWindowTitle[] =
    "\xE1\xB6\xD6\xDB\xD7\xA8\xD3\xC3\x43\x46\xB4\xB0\xBF\xDA\xBB\xAF\xB9\xA4\xBE\xDF";

// "进入游戏后按F5启动窗口化", 24 bytes
inline constexpr char kInstructionText[] =
    "\xBD\xF8\xC8\xEB\xD3\xCE\xCF\xB7\xBA\xF3\xB0\xB4\x46\x35\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xBB\xAF";

static_assert(sizeof(kMainWindowTitle) == 21);
static_assert(sizeof(kInstructionText) == 25);
