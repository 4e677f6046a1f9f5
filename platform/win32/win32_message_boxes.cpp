#include "platform/win32/win32_message_boxes.h"

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

#include "platform/platform_texts.h"
#include "platform/win32/win32_button_row.h"

namespace {

constexpr int kButtonIds[] = {IDOK, IDCANCEL, IDYES, IDNO, IDRETRY};
constexpr UINT_PTR kSubclassId = 1;

UINT ButtonFlags(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::Ok:
      return MB_OK;
    case BoxButtons::OkCancel:
      return MB_OKCANCEL;
    case BoxButtons::YesNo:
      return MB_YESNO;
    case BoxButtons::YesNoDefaultNo:
      return MB_YESNO | MB_DEFBUTTON2;
    case BoxButtons::YesNoCancel:
      return MB_YESNOCANCEL;
    case BoxButtons::RetryCancel:
      return MB_RETRYCANCEL;
  }
  return MB_OK;
}

UINT IconFlags(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::None:
      return 0;
    case BoxIcon::Warning:
      return MB_ICONWARNING;
    case BoxIcon::Error:
      return MB_ICONERROR;
    case BoxIcon::Information:
      return MB_ICONINFORMATION;
    case BoxIcon::Question:
      return MB_ICONQUESTION;
  }
  return 0;
}

bool HasButton(BoxButtons buttons, int id) {
  switch (buttons) {
    case BoxButtons::Ok:
      return id == IDOK;
    case BoxButtons::OkCancel:
      return id == IDOK || id == IDCANCEL;
    case BoxButtons::YesNo:
    case BoxButtons::YesNoDefaultNo:
      return id == IDYES || id == IDNO;
    case BoxButtons::YesNoCancel:
      return id == IDYES || id == IDNO || id == IDCANCEL;
    case BoxButtons::RetryCancel:
      return id == IDRETRY || id == IDCANCEL;
  }
  return false;
}

// The button that Escape (and the close box) answers with.
int EscapeButton(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::Ok:
      return IDOK;
    case BoxButtons::YesNo:
    case BoxButtons::YesNoDefaultNo:
      return IDNO;
    case BoxButtons::OkCancel:
    case BoxButtons::YesNoCancel:
    case BoxButtons::RetryCancel:
      return IDCANCEL;
  }
  return IDCANCEL;
}

int DefaultButton(BoxButtons buttons) {
  if (buttons == BoxButtons::YesNoDefaultNo) return IDNO;
  if (buttons == BoxButtons::RetryCancel) return IDRETRY;
  return buttons == BoxButtons::Ok || buttons == BoxButtons::OkCancel ? IDOK : IDYES;
}

BoxAnswer AnswerOf(int button) {
  switch (button) {
    case IDOK:
      return BoxAnswer::Ok;
    case IDYES:
      return BoxAnswer::Yes;
    case IDNO:
      return BoxAnswer::No;
    case IDRETRY:
      return BoxAnswer::Retry;
    default:
      return BoxAnswer::Cancel;
  }
}

const char* ButtonText(int id) {
  switch (id) {
    case IDOK:
      return texts::kButtonOk;
    case IDCANCEL:
      return texts::kButtonCancel;
    case IDYES:
      return texts::kButtonYes;
    case IDRETRY:
      return texts::kButtonRetry;
    default:
      return texts::kButtonNo;
  }
}

void CentreOnWorkArea(HWND box) {
  RECT area{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  RECT frame{};
  GetWindowRect(box, &frame);
  const int x = area.left + (area.right - area.left - (frame.right - frame.left)) / 2;
  const int y = area.top + (area.bottom - area.top - (frame.bottom - frame.top)) / 2;
  SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The box being opened on this thread; the hook catches its creation. It outlives the box.
struct PendingBox {
  BoxButtons buttons;
  bool caught = false;
};
thread_local PendingBox* pending_box = nullptr;

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                         DWORD_PTR pending) {
  const BoxButtons buttons = reinterpret_cast<const PendingBox*>(pending)->buttons;
  switch (message) {
    case WM_INITDIALOG: {
      const LRESULT result = DefSubclassProc(box, message, wparam, lparam);
      for (int id : kButtonIds) SetDlgItemTextA(box, id, ButtonText(id));
      // The system only gives the first button the focus; without the dialog's own default,
      // Enter pressed elsewhere would answer with a button the box does not have.
      SendMessageA(box, DM_SETDEFID, DefaultButton(buttons), 0);
      FitButtonRow(box);
      CentreOnWorkArea(box);
      return result;
    }
    case WM_COMMAND:
      // The dialog manager turns Escape and the close box into IDCANCEL; a box without a
      // Cancel button answers with its escape button instead of ignoring the key.
      if (LOWORD(wparam) == IDCANCEL && !HasButton(buttons, IDCANCEL)) {
        const int id = EscapeButton(buttons);
        return DefSubclassProc(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, BoxProc, kSubclassId);
      break;
  }
  return DefSubclassProc(box, message, wparam, lparam);
}

LRESULT CALLBACK CatchBoxHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && pending_box && !pending_box->caught) {
    HWND window = reinterpret_cast<HWND>(wparam);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (lstrcmpA(class_name, "#32770") == 0) {
      pending_box->caught = true;
      SetWindowSubclass(window, BoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(pending_box));
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

BoxAnswer Win32MessageBoxes::Show(const std::string& caption, BoxIcon icon, BoxButtons buttons,
                                  const std::string& text) {
  PendingBox box{buttons};
  PendingBox* const outer = pending_box;
  pending_box = &box;
  HHOOK hook = SetWindowsHookExA(WH_CBT, CatchBoxHook, nullptr, GetCurrentThreadId());

  HWND owner = GetActiveWindow();
  // The first button, OK or Yes, is the default unless the buttons name another.
  UINT flags = ButtonFlags(buttons) | IconFlags(icon) | MB_SETFOREGROUND;
  if (!owner) flags |= MB_TASKMODAL;
  const int result = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);

  if (hook) UnhookWindowsHookEx(hook);
  pending_box = outer;
  // A box that could not be shown, or an answer the box does not offer, counts as Escape.
  return AnswerOf(HasButton(buttons, result) ? result : EscapeButton(buttons));
}
