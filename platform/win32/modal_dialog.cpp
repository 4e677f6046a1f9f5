#include "platform/win32/modal_dialog.h"

#include <exception>
#include <string>

#include "platform/app_error.h"
#include "platform/platform_texts.h"
#include "platform/text_format.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/dpi.h"

namespace {

INT_PTR Checked(INT_PTR answer) {
  // Not a Cancel: the user never saw the dialog.
  if (answer == -1)
    throw AppError(FormatText(texts::kErrCreateDialog, std::to_string(GetLastError())));
  return answer;
}

}  // namespace

INT_PTR ModalDialog::Run(int template_id, HWND owner) {
  InitControlClasses();
  const INT_PTR answer = DialogBoxParamA(instance_, MAKEINTRESOURCEA(template_id), owner, &Proc,
                                         reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return Checked(answer);
}

INT_PTR ModalDialog::Run(const DLGTEMPLATE& dialog_template, HWND owner) {
  InitControlClasses();
  const INT_PTR answer = DialogBoxIndirectParamA(instance_, &dialog_template, owner, &Proc,
                                                 reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return Checked(answer);
}

void ModalDialog::OnDpiChanged(int, const RECT& suggested) {
  MoveToSuggestedRect(hwnd_, suggested);
}

INT_PTR CALLBACK ModalDialog::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lparam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, lparam);
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return FALSE;
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    if (self->report_error_) self->report_error_(error);
  }
  return FALSE;
}

INT_PTR ModalDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit() ? TRUE : FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (OnCommand(id, HIWORD(wparam))) return TRUE;
      if (id == IDOK) OnOK();
      if (id == IDCANCEL) OnCancel();
      return id == IDOK || id == IDCANCEL;
    }
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_NOTIFY:
      if (const auto answer = OnNotify(*reinterpret_cast<const NMHDR*>(lparam))) {
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, *answer);
        return TRUE;
      }
      return FALSE;
    case WM_SIZE:
      OnSize(LOWORD(lparam), HIWORD(lparam));
      return TRUE;
    case WM_TIMER:
      return OnTimer(wparam) ? TRUE : FALSE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return TRUE;
    default:
      return OnMessage(message, wparam, lparam).value_or(FALSE);
  }
}
