#include "tests/test_support.h"

#include <cstdio>

#include <winternl.h>

std::string HexBytes(const char* text) { return HexBytes(std::string(text ? text : "")); }

std::string HexBytes(const std::string& bytes) {
  std::string out;
  char part[4];
  for (unsigned char c : bytes) {
    std::snprintf(part, sizeof(part), "%02X ", c);
    out += part;
  }
  if (!out.empty()) out.pop_back();
  return out;
}

void PumpMessages(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (GetTickCount() - start >= ms) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

TestWindow::TestWindow(const char* className, const char* title, DWORD style, RECT rect,
                       WNDPROC proc) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  if (!GetClassInfoA(instance, className, &wc)) {
    wc = WNDCLASSA{};
    wc.lpfnWndProc = proc ? proc : DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
  }
  hwnd_ = CreateWindowExA(0, className, title, style, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
  // The class may have been registered first by another helper with another
  // procedure (class names such as "CrossFire" recur): this window gets ours.
  UseWindowProc(hwnd_, proc ? proc : DefWindowProcA);
}

void UseWindowProc(HWND hwnd, WNDPROC proc) {
  if (hwnd && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) != proc) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  }
}

TestWindow::~TestWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

namespace {

// One entry of Wine's GDI handle table, which the PEB points to: 24 bytes
// on both builds, as its pointers are kept 64 bits wide in 32-bit processes
// too (Windows' own 32-bit table has 16-byte entries, but Windows answers
// GetGuiResources and the table is not read there).
struct GdiHandleEntry {
  uint64_t object;
  uint16_t processId;
  uint16_t count;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "Wine's entry layout");

}  // namespace

int CountGdiObjects() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported) return static_cast<int>(reported);
  // GCC misreads the inline NtCurrentTeb as an out-of-bounds read.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
  [[maybe_unused]] const char* teb = reinterpret_cast<const char*>(NtCurrentTeb());
  const char* peb = reinterpret_cast<const char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
#ifdef _WIN64
  const GdiHandleEntry* table = *reinterpret_cast<GdiHandleEntry* const*>(peb + 0xF8);
#else
  // A 32-bit process under 64-bit Wine also has a 64-bit TEB, whose address
  // Wine keeps in the 32-bit TEB's GdiBatchCount (offset 0xF70); Wine then
  // records the table in the 64-bit PEB (TEB64 + 0x60) at 0xF8 only.
  const GdiHandleEntry* table = nullptr;
  if (const uint32_t teb64 = *reinterpret_cast<const uint32_t*>(teb + 0xF70)) {
    const uint64_t peb64 = *reinterpret_cast<const uint64_t*>(static_cast<uintptr_t>(teb64) + 0x60);
    const uint64_t shared = *reinterpret_cast<const uint64_t*>(static_cast<uintptr_t>(peb64) + 0xF8);
    table = reinterpret_cast<const GdiHandleEntry*>(static_cast<uintptr_t>(shared));
  } else {
    table = *reinterpret_cast<GdiHandleEntry* const*>(peb + 0x94);
  }
#endif
  if (!table) return -1;
  int count = 0;  // Wine's table holds this process's handles only
  for (int i = 0; i < 0x10000; ++i) {
    if (table[i].type) ++count;
  }
  return count;
}

SIZE ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool SetDisplaySize(int width, int height) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof(mode);
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
  PumpMessages(50);
  return ScreenSize().cx == width && ScreenSize().cy == height;
}

ScopedDisplaySize::ScopedDisplaySize(int width, int height)
    : before_(ScreenSize()), ok_(SetDisplaySize(width, height)) {}

ScopedDisplaySize::~ScopedDisplaySize() { SetDisplaySize(before_.cx, before_.cy); }

namespace {

const char* XKeyName(WORD virtualKey) {
  switch (virtualKey) {
    case VK_F4: return "F4";
    case VK_F5: return "F5";
    case VK_CONTROL: return "Control_L";
    case VK_SHIFT: return "Shift_L";
    case VK_MENU: return "Alt_L";
    case VK_ESCAPE: return "Escape";
    case VK_TAB: return "Tab";
  }
  return nullptr;
}

// Presses or releases the key on the X server's keyboard. Wine syncs its key
// state with the X keymap whenever its focus changes, so a key injected with
// SendInput alone reads as released again after, say, the game window is
// restyled; a key held at the X server stays down, as a player's does.
bool SendXKey(WORD virtualKey, bool down) {
  const char* name = XKeyName(virtualKey);
  if (!name || GetFileAttributesA("Z:\\usr\\bin\\xdotool") == INVALID_FILE_ATTRIBUTES) return false;
  std::string command = std::string("Z:\\usr\\bin\\xdotool ") + (down ? "keydown " : "keyup ") + name;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    return false;
  }
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  // Wait until Wine has seen it.
  for (int i = 0; i < 200 && (GetAsyncKeyState(virtualKey) < 0) != down; ++i) Sleep(1);
  return true;
}

}  // namespace

void SendKey(WORD virtualKey, bool down) {
  if (SendXKey(virtualKey, down)) return;
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(input));
}

void ReleaseAllTestKeys() {
  for (WORD key : {VK_F5, VK_CONTROL, VK_SHIFT, VK_MENU, VK_ESCAPE, VK_TAB}) {
    if (GetAsyncKeyState(key) < 0) SendKey(key, false);
  }
}

ChildProcess::ChildProcess(const std::string& exe, const std::string& args, const char* folder) {
  std::string command = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                            &pi_);
}

ChildProcess::~ChildProcess() {
  if (!started_) return;
  if (Running()) TerminateProcess(pi_.hProcess, 99);
  WaitForSingleObject(pi_.hProcess, 5000);
  CloseHandle(pi_.hThread);
  CloseHandle(pi_.hProcess);
}

bool ChildProcess::Running() const {
  return started_ && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::WaitForExit(DWORD ms) const {
  if (!started_ || WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return 0x7FFFFFFF;
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

HWND ChildProcess::Window(const char* className) const {
  HWND found = nullptr;
  PumpUntil([&] {
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExA(nullptr, w, className, nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == id() && IsWindowVisible(w)) found = w;
    }
    return found != nullptr;
  }, 10000);
  return found;
}

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::vector<uint32_t> CaptureClient(HWND hwnd, int* width, int* height) {
  RECT client;
  GetClientRect(hwnd, &client);
  *width = client.right;
  *height = client.bottom;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = *width;
  info.bmiHeader.biHeight = -*height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(hwnd);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, *width, *height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                               static_cast<const uint32_t*>(bits) + (*width) * (*height));
  for (uint32_t& p : pixels) p &= 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  ReleaseDC(hwnd, screen);
  return pixels;
}

COLORREF ClientPixel(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}
