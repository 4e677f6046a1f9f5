// The floor for the resident launcher's memory: one hidden window, one notification icon and a
// small popup menu, waiting in its message loop. Ends on WM_CLOSE, taking its icon away.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace {

NOTIFYICONDATAA icon_data{};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    Shell_NotifyIconA(NIM_DELETE, &icon_data);
    DestroyWindow(hwnd);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = "BenchTray";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "BenchTray", "BenchTray", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, nullptr);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Open");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, 2, "Quit");
  icon_data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon_data.hWnd = window;
  icon_data.uID = 1;
  icon_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon_data.uCallbackMessage = WM_USER + 200;
  icon_data.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
  lstrcpyA(icon_data.szTip, "bench");
  if (!Shell_NotifyIconA(NIM_ADD, &icon_data)) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  DestroyMenu(menu);
  return 0;
}
