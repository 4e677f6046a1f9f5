#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/command_target.h"
#include "editing/win32/list_pane.h"
#include "platform/win32/controls/tab_control.h"
#include "platform/win32/dialog_navigation.h"
#include "platform/win32/dpi.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/window_base.h"
#include "settings_window/main_view.h"
#include "settings_window/win32/option_page.h"
#include "settings_window/win32/status_hints.h"
#include "settings_window/win32/tool_strip.h"
#include "settings_window/win32/window_page.h"

// The frame's outer size at 96 dpi: the first start's, and the least that shows every control.
inline constexpr int kFrameWidth = 485;
inline constexpr int kFrameHeight = 333;

// The sizes of the main window's parts that a dialog placed over its item area needs.
struct MainWindowFigures {
  int left = 0;
  int top = 0;
  int width = 0;
  int tool_strip_height = 0;
  int status_bar_height = 0;
  int page_height = 0;
};

// The main window "TForm1": its frame, layout and close handling, with the tool strip, the
// pages and the status bar as parts; and the hidden application window that stands for the
// program itself.
class MainWindow : public MainView, public ListPaneHost, public CommandTarget, private WindowBase {
 public:
  explicit MainWindow(HINSTANCE instance) : instance_(instance) {}
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // When the child controls, fonts, images and menus come into being: at once, or when
  // something first shows or reads them. A log-on run that ends without showing the window
  // never needs them; what is set meanwhile is kept and goes into them when they are built.
  enum class Controls { Now, OnFirstUse };
  // Creates both windows, and the controls as asked; nothing is shown yet. Throws on failure.
  void Create(Controls controls = Controls::Now);
  // Builds the controls unless they exist.
  void EnsureControls() override;
  bool ControlsBuilt() const { return controls_built_; }

  using WindowBase::Handle;
  HWND ApplicationHandle() const { return application_hwnd_; }

  // The pane that runs the title list; set before the controls are built.
  void SetListPane(ListPane* pane) { list_pane_ = pane; }
  void AddPage(WindowPage* page) { added_page_ = page; }
  // CommandTarget.
  void SetCommandHandler(int id, std::function<void()> handler) override {
    commands_[id] = std::move(handler);
  }
  void SetCloseQuery(std::function<bool()> query) override { close_query_ = std::move(query); }
  void SetCloseHandler(std::function<void()> handler) override {
    close_handler_ = std::move(handler);
  }
  // Shows an error that ended a handler: the application's general error box.
  void SetErrorHandler(std::function<void(const std::exception&)> handler) {
    error_handler_ = std::move(handler);
  }
  void ReportError(const std::exception& error) override;

  // The message loop's share: hints, the tool buttons' access and arrow keys, and the dialog
  // keys (Tab, Enter, the labels' access keys). True when the message has been handled and
  // must not be dispatched.
  bool PreTranslateMessage(MSG& message);

  MainWindowFigures Figures();
  // The text of the hint panel.
  std::string HintText() { return controls_built_ ? status_hints_.HintText() : std::string(); }
  void EnableRowButtons(bool enabled) override;

  // MainView.
  AppSettings Settings() override;
  void ShowSettings(const AppSettings& settings) override;
  void ShowItems(const std::vector<LaunchItem>& rows) override;
  void CentreOnScreen() override;
  void Show() override;
  void Minimise() override;
  void SetApplicationToolWindow() override;
  void Terminate() override { PostQuitMessage(0); }
  void Close() override { PostMessageA(Handle(), WM_CLOSE, 0, 0); }
  void SetStatusText(int panel, const std::string& text) override;
  void ShowApplicationPage() override;
  bool SelectFirstRowAndFocus() override;
  void FocusLanCheckBox() override;

 private:
  // WindowBase.
  bool OnCommand(int id, int code, HWND control) override;
  std::optional<LRESULT> OnNotify(const NMHDR& header) override;
  void OnSize(int width, int height) override;
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  bool OnClose() override;
  void OnDestroy() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void CreatePages();
  // The frame's icons in the sizes of the window's DPI.
  void SetIcons();
  std::string HintAt(HWND target, POINT screen_point) const;

  // Event handlers.
  void FormResize();
  void FormClose();
  void Command(int id);
  void PageControlChange();
  void TurnPage(int step);

  HINSTANCE instance_;
  HWND application_hwnd_ = nullptr;
  int dpi_ = 96;
  OwnedFont font_;
  OwnedIcon big_icon_;
  OwnedIcon small_icon_;

  ToolStrip tool_strip_;
  TabControl page_control_;
  HWND title_list_ = nullptr;  // T_ListBox, run by the list pane
  OptionPage option_page_;
  StatusHints status_hints_;
  ListPane* list_pane_ = nullptr;
  WindowPage* added_page_ = nullptr;  // the third tab

  // What the window was last given to show: the controls take it when they are built.
  AppSettings shown_;
  std::map<int, std::function<void()>> commands_;
  std::function<bool()> close_query_;
  std::function<void()> close_handler_;
  std::function<void(const std::exception&)> error_handler_;

  DialogNavigation navigation_;
  bool controls_built_ = false;
  bool laying_out_ = false;
  int page_shortfall_ = 0;  // how much taller the options need the page to be
  bool minimised_ = false;
};
