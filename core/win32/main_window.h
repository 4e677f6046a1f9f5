#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/main_view.h"
#include "editing/item_list_view.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/controls/list_view.h"
#include "platform/win32/controls/rebar.h"
#include "platform/win32/controls/status_bar.h"
#include "platform/win32/controls/tab_control.h"
#include "platform/win32/controls/tool_bar.h"

// The sizes of the main window's parts that a dialog placed over its item area needs.
struct MainWindowFigures {
  int left = 0;
  int top = 0;
  int width = 0;
  int tool_strip_height = 0;
  int status_bar_height = 0;
  int page_height = 0;
};

// What the list's own events do; set by whoever owns the list commands.
struct ListEventHandlers {
  std::function<void(int row, bool checked)> row_checked;
  std::function<void()> double_click;
  std::function<void()> enter;  // the list got the keyboard focus
};

// Registers the common control classes the program's windows use; once is enough.
void InitControlClasses();

// The main window "TForm1" with its cool bar, pages, title list and status bar, and the hidden
// application window that stands for the program itself.
class MainWindow : public MainView, public ItemListView {
 public:
  explicit MainWindow(HINSTANCE instance);
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
  void EnsureControls();
  bool ControlsBuilt() const { return controls_built_; }

  HWND Handle() const { return hwnd_; }
  HWND ApplicationHandle() const { return application_hwnd_; }

  // The command behind a tool button or menu item id.
  void SetCommandHandler(int id, std::function<void()> handler) {
    commands_[id] = std::move(handler);
  }
  void SetListEventHandlers(ListEventHandlers handlers) { list_events_ = std::move(handlers); }
  // The close handling, run before the window goes.
  void SetCloseHandler(std::function<void()> handler) { close_handler_ = std::move(handler); }
  // Shows an error that ended a handler: the application's general error box.
  void SetErrorHandler(std::function<void(const std::string&)> handler) {
    error_handler_ = std::move(handler);
  }

  // The message loop's share: hints, the tool buttons' access keys and the Tab key. True when
  // the message has been handled and must not be dispatched.
  bool PreTranslateMessage(MSG& message);

  MainWindowFigures Figures();
  const std::string& TrayTip() const { return tray_tip_; }
  bool TrayVisible() const { return tray_visible_; }
  bool TrayEnabled() const { return tray_enabled_; }
  const std::string& HelpFile() const { return help_file_; }
  // The text of the hint panel.
  std::string HintText() { return controls_built_ ? status_bar_.GetText(1) : std::string(); }

  // MainView.
  WindowBounds Bounds() override;
  void SetBounds(const WindowBounds& bounds) override;
  std::string HomePage() override;
  void SetHomePage(const std::string& text) override;
  OptionChecks Options() override;
  void SetOptions(const OptionChecks& options) override;
  void ShowItems(const std::vector<LaunchItem>& rows) override { ShowRows(rows); }
  void CentreOnScreen() override;
  void Show() override;
  void Minimise() override;
  void SetApplicationToolWindow() override;
  void Terminate() override { PostQuitMessage(0); }
  void Close() override { PostMessageA(hwnd_, WM_CLOSE, 0, 0); }
  void SetTrayTip(const std::string& text) override { tray_tip_ = text; }
  void SetTrayVisible(bool visible) override { tray_visible_ = visible; }
  void SetTrayEnabled(bool enabled) override { tray_enabled_ = enabled; }
  void SetHelpFile(const std::string& path) override { help_file_ = path; }
  void SetStatusText(int panel, const std::string& text) override;
  void ShowApplicationPage() override;
  bool SelectFirstRowAndFocus() override;
  void FocusLanCheckBox() override;

  // ItemListView.
  void ShowRows(const std::vector<LaunchItem>& rows) override;
  int SelectedIndex() override;
  void Select(int index) override;
  void EnableRowButtons(bool enabled) override;

  // A tool button: its command id, band, image and texts.
  struct ToolButton {
    int id;
    int band;
    int image;
    const char* caption;
    const char* hint;
  };

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void ReportError(const char* message);

  void ApplyOptions();
  void CreateFonts();
  void CreateCoolBar();
  void CreatePages();
  void CreateStatusBar();
  void CreateListMenu();
  HWND CreateChild(const char* class_name, const char* text, DWORD style, DWORD ex_style, int id);

  // Event handlers.
  void FormResize();
  void FormClose();
  void Command(int id);
  LRESULT Notify(NMHDR& header);
  void PageControlChange();
  void TitleListItemChanged(const NMLISTVIEW& change);
  void TitleListContextPopup(POINT screen_point);
  void DrawVersionPanel(const DRAWITEMSTRUCT& item);
  void MenuSelect(UINT id, UINT flags, HMENU menu);

  // Puts the hint of the window and point under the pointer into the hint panel.
  void ShowHintInStatusBar(HWND target, POINT screen_point);
  std::string HintAt(HWND target, POINT screen_point) const;
  void SetHint(const std::string& hint);
  bool PressToolButtonByAccessKey(char key);
  const ToolButton* FindToolButton(int id) const;

  HINSTANCE instance_;
  HWND application_hwnd_ = nullptr;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HFONT list_font_ = nullptr;
  HIMAGELIST tool_images_ = nullptr;
  HMENU list_menu_ = nullptr;
  HBRUSH page_brush_ = nullptr;  // a system brush: not deleted

  ReBar cool_bar_;
  ToolBar tool_bars_[4];
  TabControl page_control_;
  ListView title_list_;
  HWND homepage_label_ = nullptr;
  Edit homepage_;
  Button lan_check_box_;
  Button clear_check_box_;
  Button caps_check_box_;
  Button num_check_box_;
  Button menu_icon_check_box_;
  StatusBar status_bar_;

  std::map<int, std::function<void()>> commands_;
  ListEventHandlers list_events_;
  std::function<void()> close_handler_;
  std::function<void(const std::string&)> error_handler_;
  std::map<int, std::string> control_hints_;  // by control id
  std::map<UINT, std::string> menu_hints_;    // by menu item id

  std::string version_text_;
  std::string hint_;
  std::string tray_tip_;
  bool tray_visible_ = false;
  bool tray_enabled_ = true;
  std::string help_file_;
  bool controls_built_ = false;
  // Kept until the controls exist.
  std::string home_page_;
  OptionChecks options_;
  std::vector<LaunchItem> rows_;
  bool filling_list_ = false;
  bool laying_out_ = false;
  bool minimised_ = false;
};
