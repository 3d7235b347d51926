#include "ui/control_common.h"

WindowCreation g_windowCreation = {CreateWindowExA};

void RegisterPlainClass(const char* className, WNDPROC proc) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, className, &existing)) return;
  WNDCLASSA wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}
