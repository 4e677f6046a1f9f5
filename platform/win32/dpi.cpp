#include "platform/win32/dpi.h"

#include "platform/win32/owned_handle.h"

namespace {

// The per-monitor functions are missing before Windows 10 1607 and in some Wine versions, so
// they are looked up rather than imported.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

int ScreenDpi() {
  const WindowDc screen(nullptr);
  if (!screen) return kBaseDpi;
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (window && get_dpi_for_window) {
    if (const UINT dpi = get_dpi_for_window(window)) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto for_dpi =
      User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (for_dpi) return for_dpi(index, static_cast<UINT>(dpi));
  // The system's own metrics are for the screen's DPI.
  return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

SIZE FrameSizeForClient(HWND window, int client_width, int client_height, int dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi =
      User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, client_width, client_height};
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  const BOOL menu = (style & WS_CHILD) == 0 && GetMenu(window) != nullptr;
  if (!adjust_for_dpi || !adjust_for_dpi(&frame, style, menu, ex_style, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&frame, style, menu, ex_style);
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

SIZE ScaleFrameSize(HWND window, int width_at_96, int height_at_96, int dpi) {
  if (dpi == kBaseDpi) return SIZE{width_at_96, height_at_96};
  const SIZE frame_at_96 = FrameSizeForClient(window, 0, 0, kBaseDpi);
  return FrameSizeForClient(window, Scale(width_at_96 - frame_at_96.cx, dpi),
                            Scale(height_at_96 - frame_at_96.cy, dpi), dpi);
}

SIZE UnscaleFrameSize(HWND window, int width, int height, int dpi) {
  if (dpi == kBaseDpi) return SIZE{width, height};
  const SIZE frame = FrameSizeForClient(window, 0, 0, dpi);
  return FrameSizeForClient(window, MulDiv(width - frame.cx, kBaseDpi, dpi),
                            MulDiv(height - frame.cy, kBaseDpi, dpi), kBaseDpi);
}

void SetClientSize(HWND window, int client_width, int client_height, int dpi) {
  const SIZE size = FrameSizeForClient(window, client_width, client_height, dpi);
  SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitUpDownToDpi(HWND up_down, HWND buddy, int dpi) {
  RECT arrows{};
  RECT field{};
  GetWindowRect(up_down, &arrows);
  GetWindowRect(buddy, &field);
  HWND parent = GetParent(up_down);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&arrows), 2);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&field), 2);
  const int grow = SystemMetricForDpi(SM_CXVSCROLL, dpi) - (arrows.right - arrows.left);
  if (grow <= 0) return;
  SetWindowPos(buddy, nullptr, 0, 0, field.right - field.left - grow, field.bottom - field.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(up_down, nullptr, arrows.left - grow, arrows.top, arrows.right - arrows.left + grow,
               arrows.bottom - arrows.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveToSuggestedRect(HWND window, const RECT& suggested) {
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
