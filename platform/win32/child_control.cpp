#include "platform/win32/child_control.h"

#include "platform/win32/system_error.h"
#include "platform/win32/ui_font.h"

HWND CreateChildControl(HWND parent, HINSTANCE instance, HFONT font, const char* class_name,
                        const char* text, DWORD style, DWORD ex_style, int id) {
  HWND control =
      CreateWindowExA(ex_style, class_name, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!control) throw SystemCallError("CreateWindowEx");
  UseFont(control, font);
  return control;
}
