#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

// The base of every modal dialog made from a template: it keeps `this` from WM_INITDIALOG on,
// stops exceptions at the window procedure and reports them, splits messages into handlers,
// and runs the dialog.
class ModalDialog {
 public:
  using ErrorReporter = std::function<void(const std::exception& error)>;

  // `report_error` shows an error that ended one of the dialog's events.
  ModalDialog(HINSTANCE instance, ErrorReporter report_error)
      : instance_(instance), report_error_(std::move(report_error)) {}
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the dialog of template `template_id` owned by `owner` until it ends, and returns the
  // value it ended with. Throws AppError when the dialog cannot be created.
  INT_PTR Run(int template_id, HWND owner);
  // The same for a template built in memory, for a dialog that places its own controls.
  INT_PTR Run(const DLGTEMPLATE& dialog_template, HWND owner);

 protected:
  HINSTANCE Instance() const { return instance_; }
  HWND Handle() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  // Handlers. OnInit's true lets the system give the focus to the first control.
  virtual bool OnInit() { return true; }
  // Commands other than OK and Cancel; true when handled.
  virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
  virtual void OnOK() { EndDialog(hwnd_, IDOK); }
  // The Cancel button and Escape.
  virtual void OnCancel() { EndDialog(hwnd_, IDCANCEL); }
  // The close box; as Cancel unless the dialog says otherwise.
  virtual void OnClose() { OnCancel(); }
  // A value is the notification's answer.
  virtual std::optional<LRESULT> OnNotify(const NMHDR& /*header*/) { return std::nullopt; }
  virtual void OnSize(int /*width*/, int /*height*/) {}
  virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
  virtual void OnDestroy() {}
  // The dialog moved to a monitor of another DPI: it takes the size the system suggests; a
  // dialog that places its own controls makes its fonts again and places them anew.
  virtual void OnDpiChanged(int dpi, const RECT& suggested);
  // Every other message; a value is the dialog procedure's return.
  virtual std::optional<INT_PTR> OnMessage(UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/) {
    return std::nullopt;
  }

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // The dialog procedure's answer for one message, split into the handlers.
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  HINSTANCE instance_;
  ErrorReporter report_error_;
  HWND hwnd_ = nullptr;
};
