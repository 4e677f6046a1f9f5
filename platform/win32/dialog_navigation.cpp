#include "platform/win32/dialog_navigation.h"

std::optional<LRESULT> DialogNavigation::Answer(HWND window, UINT message, WPARAM wparam,
                                                LPARAM lparam) {
  switch (message) {
    case WM_NEXTDLGCTL: {
      // Sent for Tab and a label's access key.
      HWND next = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                 : GetNextDlgTabItem(window, GetFocus(), wparam != 0);
      if (next) {
        SetFocus(next);
        if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
          SendMessageA(next, EM_SETSEL, 0, -1);
      }
      return 0;
    }
    case DM_GETDEFID: {
      // Enter: a push button that has the focus is the default one, as in a dialog; otherwise
      // there is none.
      HWND focus = GetFocus();
      if (focus && IsChild(window, focus) &&
          (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
      return 0;
    }
    case WM_ACTIVATE:
      // The default handling would give the focus to the frame itself whenever the window
      // comes back, after every dialog and message box; like a dialog, it goes back to the
      // control that had it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) focus_to_restore_ = focus;
        return 0;
      }
      if (!HIWORD(wparam) && focus_to_restore_ && IsChild(window, focus_to_restore_) &&
          IsWindowVisible(focus_to_restore_) && IsWindowEnabled(focus_to_restore_)) {
        SetFocus(focus_to_restore_);
        return 0;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}
