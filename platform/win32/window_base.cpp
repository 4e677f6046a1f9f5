#include "platform/win32/window_base.h"

#include <exception>

#include "platform/win32/dpi.h"
#include "platform/win32/system_error.h"

WindowBase::~WindowBase() {
  DestroyNow();
}

void WindowBase::DestroyNow() {
  if (!hwnd_) return;
  HWND window = hwnd_;
  const bool attached = original_ != nullptr;
  // Nothing may reach an object that is going.
  Forget();
  if (!attached) DestroyWindow(window);
}

void WindowBase::Create(HINSTANCE instance, const ClassStyle& style, DWORD ex_style,
                        DWORD window_style, const char* caption, int width, int height,
                        HWND parent) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  if (!GetClassInfoExA(instance, style.name, &window_class)) {
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = instance;
    window_class.hIcon = style.icon;
    window_class.hIconSm = style.small_icon;
    window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    window_class.hbrBackground = style.background;
    window_class.lpszClassName = style.name;
    if (!RegisterClassExA(&window_class)) throw SystemCallError("RegisterClassEx");
  }
  const HWND made = CreateWindowExA(ex_style, style.name, caption, window_style, 0, 0, width,
                                    height, parent, nullptr, instance, this);
  if (!made) throw SystemCallError("CreateWindowEx");
}

void WindowBase::Attach(HWND window) {
  hwnd_ = window;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

void WindowBase::Detach() {
  Forget();
}

void WindowBase::Forget() {
  if (!hwnd_) return;
  if (original_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  original_ = nullptr;
}

void WindowBase::OnDpiChanged(int, const RECT& suggested) {
  MoveToSuggestedRect(hwnd_, suggested);
}

LRESULT WindowBase::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return original_ ? CallWindowProcA(original_, hwnd_, message, wparam, lparam)
                   : DefWindowProcA(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK WindowBase::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    // The window goes first: its object lives on without it.
    const LRESULT answer = self->Default(message, wparam, lparam);
    self->Forget();
    return answer;
  }
  try {
    return self->Dispatch(message, wparam, lparam);
  } catch (const std::exception& error) {
    if (self->report_error_) self->report_error_(error);
    return 0;
  }
}

LRESULT WindowBase::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam))) return 0;
      break;
    case WM_NOTIFY:
      if (auto answer = OnNotify(*reinterpret_cast<const NMHDR*>(lparam))) return *answer;
      break;
    case WM_SIZE: {
      const LRESULT answer = Default(message, wparam, lparam);
      OnSize(LOWORD(lparam), HIWORD(lparam));
      return answer;
    }
    case WM_TIMER:
      if (OnTimer(wparam)) return 0;
      break;
    case WM_CLOSE:
      if (OnClose()) return 0;
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    default:
      if (auto answer = OnMessage(message, wparam, lparam)) return *answer;
      break;
  }
  return Default(message, wparam, lparam);
}
