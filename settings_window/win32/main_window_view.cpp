// The main window as its presenter sees it (MainView).
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/dpi.h"
#include "platform/win32/keep_on_screen.h"
#include "settings_window/win32/main_window.h"

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
  // The size is kept as at 96 dpi, so that the window keeps its proportions on a display of
  // another scale and the defaults fit every scale; the place is where it is on the screen.
  const SIZE size =
      UnscaleFrameSize(Handle(), rect.right - rect.left, rect.bottom - rect.top, dpi_);
  settings.width = size.cx;
  settings.height = size.cy;
  if (controls_built_) {
    // What is saved is what the fields show when Ok or Update is pressed.
    option_page_.ClampFields();
    option_page_.Read(settings);
  }
  return settings;
}

void MainWindow::ShowSettings(const AppSettings& settings) {
  shown_ = settings;
  const SIZE size = ScaleFrameSize(Handle(), settings.width, settings.height, dpi_);
  SetWindowPos(Handle(), nullptr, settings.left, settings.top, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // A stored size of nothing, or one made for a smaller scale, would give a sliver or a window
  // past the screen's edges.
  FitWindowToScreen(Handle(), size, ScaleFrameSize(Handle(), kFrameWidth, kFrameHeight, dpi_));
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
