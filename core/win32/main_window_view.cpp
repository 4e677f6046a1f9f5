// The main window as its presenter sees it (MainView).
#include "core/win32/main_window.h"
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/keep_on_screen.h"

AppSettings MainWindow::Settings() {
  AppSettings settings = shown_;
  RECT rect{};
  if (IsIconic(Handle()) || IsZoomed(Handle())) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(Handle(), &placement);
    rect = placement.rcNormalPosition;
  } else {
    GetWindowRect(Handle(), &rect);
  }
  settings.left = rect.left;
  settings.top = rect.top;
  settings.width = rect.right - rect.left;
  settings.height = rect.bottom - rect.top;
  if (controls_built_) option_page_.Read(settings);
  return settings;
}

void MainWindow::ShowSettings(const AppSettings& settings) {
  shown_ = settings;
  SetWindowPos(Handle(), nullptr, settings.left, settings.top, settings.width, settings.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  KeepWindowOnScreen(Handle());
  if (controls_built_) option_page_.Apply(settings);
}

void MainWindow::ShowItems(const std::vector<LaunchItem>& rows) {
  if (list_pane_) list_pane_->ShowRows(rows);
}

void MainWindow::CentreOnScreen() {
  CentreWindowOnScreen(Handle());
}

void MainWindow::Show() {
  EnsureControls();
  ShowWindow(Handle(), minimised_ ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  UpdateWindow(Handle());
  SetForegroundWindow(Handle());
}

void MainWindow::Minimise() {
  minimised_ = true;
  if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_MINIMIZE);
}

void MainWindow::SetApplicationToolWindow() {
  SetWindowLongA(application_hwnd_, GWL_EXSTYLE,
                 GetWindowLongA(application_hwnd_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void MainWindow::SetStatusText(int panel, const std::string& text) {
  EnsureControls();
  if (panel == 0) {
    status_hints_.SetVersionText(text);
  } else {
    status_hints_.SetHint(text);
  }
}

void MainWindow::ShowApplicationPage() {
  EnsureControls();
  page_control_.SetCurSel(0);
  PageControlChange();
}

bool MainWindow::SelectFirstRowAndFocus() {
  EnsureControls();
  return list_pane_ && list_pane_->SelectFirstRowAndFocus();
}

void MainWindow::FocusLanCheckBox() {
  EnsureControls();
  option_page_.FocusLanCheckBox();
}
