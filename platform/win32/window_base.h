#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

// The base of every window the program makes or takes over: it keeps `this` from the first
// message on, owns the window (destroyed with the object), stops exceptions at the window
// procedure and hands them to the error reporter, and splits messages into handlers.
class WindowBase {
 public:
  using ErrorReporter = std::function<void(const std::exception& error)>;

  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Handle() const { return hwnd_; }
  void SetErrorReporter(ErrorReporter reporter) { report_error_ = std::move(reporter); }

 protected:
  WindowBase() = default;

  // What a window class of the program's own differs in; the rest is the same for all.
  struct ClassStyle {
    const char* name;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
    HBRUSH background = nullptr;
  };
  // Registers the class on first use and makes the window. Throws AppError naming the call
  // and the system's reason when it cannot be made.
  void Create(HINSTANCE instance, const ClassStyle& window_class, DWORD ex_style, DWORD style,
              const char* caption, int width, int height, HWND parent);
  // Takes over the messages of a window made elsewhere (a control); those not handled go on
  // to its own procedure. The window stays its maker's: it is given back, not destroyed.
  void Attach(HWND window);
  // Gives the window up without destroying it (for a window whose end is handled elsewhere).
  void Detach();
  // Destroys a window this object made, before the derived object's parts go; an attached one
  // is given back.
  void DestroyNow();
  // The answer of the default procedure.
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

  // Handlers: true (or a value) when handled; otherwise the default procedure answers.
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
  virtual std::optional<LRESULT> OnNotify(const NMHDR& /*header*/) { return std::nullopt; }
  // Comes after the default procedure's own handling.
  virtual void OnSize(int /*width*/, int /*height*/) {}
  virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
  virtual bool OnClose() { return false; }
  virtual void OnDestroy() {}
  // The window moved to a monitor of another DPI: it takes the size the system suggests; a
  // window with a layout of its own makes its fonts again and lays itself out.
  virtual void OnDpiChanged(int dpi, const RECT& suggested);
  // Every other message.
  virtual std::optional<LRESULT> OnMessage(UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/) {
    return std::nullopt;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);
  void Forget();

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;  // the procedure of an attached window
  ErrorReporter report_error_;
};
