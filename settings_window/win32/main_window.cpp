#include "settings_window/win32/main_window.h"

#include <algorithm>

#include "core/texts.h"
#include "core/win32/app_error_box.h"
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/child_control.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/dpi.h"
#include "platform/win32/icon_image.h"
#include "platform/win32/system_error.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"

namespace {

constexpr char kMainWindowClass[] = "TForm1";
constexpr char kApplicationWindowClass[] = "MorvelinApplication";
constexpr int kFontPixels = 12;
constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;

int WindowHeight(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect.bottom - rect.top;
}

// The program's icon in the size the system draws at `dpi`.
HICON ProgramIcon(HINSTANCE instance, int width_metric, int height_metric,
                  int dpi = WindowDpi(nullptr)) {
  return LoadIconImage(instance, IDI_MORVELIN, SystemMetricForDpi(width_metric, dpi),
                       SystemMetricForDpi(height_metric, dpi));
}

// The hidden application window's class: no object of ours stands behind it.
void RegisterApplicationClass(HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  if (GetClassInfoExA(instance, kApplicationWindowClass, &window_class)) return;
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
  window_class.lpszClassName = kApplicationWindowClass;
  if (!RegisterClassExA(&window_class)) throw SystemCallError("RegisterClassEx");
}

}  // namespace

MainWindow::~MainWindow() {
  // Gone without the close handling, before the controls' fonts: the program is ending anyway.
  DestroyNow();
  if (application_hwnd_ && IsWindow(application_hwnd_)) DestroyWindow(application_hwnd_);
}

void MainWindow::Create(Controls controls) {
  RegisterApplicationClass(instance_);
  SetErrorReporter([this](const std::exception& error) { ReportError(error); });

  // Never shown: it only owns what the program does before its main window counts.
  application_hwnd_ = CreateWindowExA(0, kApplicationWindowClass, texts::kAppTitle,
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
                                      0, nullptr, nullptr, instance_, nullptr);
  if (!application_hwnd_) throw SystemCallError("CreateWindowEx");

  const ClassStyle style{kMainWindowClass, ProgramIcon(instance_, SM_CXICON, SM_CYICON),
                         ProgramIcon(instance_, SM_CXSMICON, SM_CYSMICON),
                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
  WindowBase::Create(instance_, style, WS_EX_CONTROLPARENT, kMainWindowStyle, texts::kAppTitle,
                     kFrameWidth, kFrameHeight, nullptr);
  // Its DPI is known once it exists: the frame grows with it.
  dpi_ = WindowDpi(Handle());
  if (dpi_ != kBaseDpi) {
    const SIZE frame = ScaleFrameSize(Handle(), kFrameWidth, kFrameHeight, dpi_);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetIcons();
  if (controls == Controls::Now) EnsureControls();
}

void MainWindow::SetIcons() {
  // The window lets go of the old icons before they are freed.
  OwnedIcon large(ProgramIcon(instance_, SM_CXICON, SM_CYICON, dpi_));
  OwnedIcon little(ProgramIcon(instance_, SM_CXSMICON, SM_CYSMICON, dpi_));
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.Get()));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little.Get()));
  big_icon_ = std::move(large);
  small_icon_ = std::move(little);
}

void MainWindow::EnsureControls() {
  if (controls_built_) return;
  controls_built_ = true;
  InitControlClasses();
  font_ = CreateUiFont(Scale(kFontPixels, dpi_));
  UseFont(Handle(), font_.Get());

  tool_strip_.Create(Handle(), instance_, font_.Get(), dpi_);
  CreatePages();
  status_hints_.Create(Handle(), instance_, font_.Get(), dpi_);
  // The pages' controls lie over the tab control, so it goes below them; it comes last in the
  // Tab order as a result.
  SetWindowPos(page_control_.Handle(), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PageControlChange();
  FormResize();
  if (list_pane_) list_pane_->Attach(title_list_);
}

bool MainWindow::OnCommand(int id, int code, HWND control) {
  // Menu items, posted commands and button clicks; other control notifications are not
  // commands.
  if (!control || code == BN_CLICKED) Command(id);
  if (control && code == EN_KILLFOCUS) option_page_.FieldExit(control);
  return true;
}

std::optional<LRESULT> MainWindow::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == title_list_) {
    if (list_pane_) return list_pane_->Notify(header);
  } else if (header.hwndFrom == page_control_.Handle()) {
    if (header.code == TCN_SELCHANGE) PageControlChange();
  } else if (header.hwndFrom == tool_strip_.Handle()) {
    if (header.code == RBN_HEIGHTCHANGE) FormResize();
  } else if (added_page_) {
    if (const auto result = added_page_->Notify(header)) return result;
  }
  return 0;
}

void MainWindow::OnSize(int, int) {
  FormResize();
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetIcons();
  if (controls_built_) {
    // The new font first, so that the new size lays out controls that measure with it.
    OwnedFont font = CreateUiFont(Scale(kFontPixels, dpi_));
    UseFont(Handle(), font.Get());
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (child != title_list_) UseFont(child, font.Get());
    tool_strip_.ApplyDpi(font.Get(), dpi_);
    status_hints_.ApplyDpi(dpi_);
    if (list_pane_) list_pane_->DpiChanged(dpi_);
    font_ = std::move(font);
  }
  WindowBase::OnDpiChanged(dpi, suggested);
  FormResize();
  // Bars that keep another DPI's height (comctl32 measures some by the system's DPI) would
  // leave the last options under the status bar: the window grows to keep them in sight.
  if (page_shortfall_ > 0) {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + page_shortfall_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool MainWindow::OnClose() {
  FormClose();
  return true;
}

void MainWindow::OnDestroy() {
  PostQuitMessage(0);
}

std::optional<LRESULT> MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (item.CtlType != ODT_LISTVIEW || item.CtlID != IDC_T_LIST_BOX) break;
      item.itemHeight = static_cast<UINT>(ListPane::RowHeight(dpi_));
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (status_hints_.DrawPanel(item)) return TRUE;
      if (item.hwndItem != title_list_ || !list_pane_) break;
      list_pane_->DrawRow(item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      // The label and the check boxes sit on the tab page, not on the window's face.
      if (HBRUSH brush = option_page_.ControlColour(reinterpret_cast<HWND>(lparam),
                                                    reinterpret_cast<HDC>(wparam)))
        return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_THEMECHANGED:
      option_page_.ThemeChanged();
      break;
    case WM_MENUSELECT:
      if (GetActiveWindow() == Handle())
        status_hints_.MenuSelect(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HMENU>(lparam));
      return 0;
    default:
      break;
  }
  return navigation_.Answer(Handle(), message, wparam, lparam);
}

void MainWindow::ReportError(const std::exception& error) {
  if (error_handler_) {
    error_handler_(error);
  } else {
    ShowAppErrorBox(error);
  }
}

void MainWindow::FormResize() {
  if (!status_hints_.Handle() || laying_out_) return;
  laying_out_ = true;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = client.right;

  // Both bars size themselves to the window's width.
  SendMessageA(tool_strip_.Handle(), WM_SIZE, 0, 0);
  SendMessageA(status_hints_.Handle(), WM_SIZE, 0, 0);
  const int top = WindowHeight(tool_strip_.Handle());
  const int bottom =
      std::max(top, static_cast<int>(client.bottom) - WindowHeight(status_hints_.Handle()));

  MoveWindow(page_control_.Handle(), 0, top, width, bottom - top, TRUE);
  RECT page{0, top, width, bottom};
  page_control_.AdjustRect(page);
  const int page_width = std::max(0, static_cast<int>(page.right - page.left));
  const int page_height = std::max(0, static_cast<int>(page.bottom - page.top));
  MoveWindow(title_list_, page.left, page.top, page_width, page_height, TRUE);
  ListView_SetColumnWidth(title_list_, 0, LVSCW_AUTOSIZE_USEHEADER);
  page_shortfall_ = option_page_.Layout(page, DpiScale{dpi_});
  if (added_page_) added_page_->Layout(page, DpiScale{dpi_});
  laying_out_ = false;
}

void MainWindow::FormClose() {
  if (close_query_ && !close_query_()) return;
  if (close_handler_) close_handler_();
  DestroyWindow(Handle());
}

void MainWindow::Command(int id) {
  const auto handler = commands_.find(id);
  if (handler != commands_.end() && handler->second) handler->second();
}

bool MainWindow::PreTranslateMessage(MSG& message) {
  if (!Handle() || !controls_built_ ||
      (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)))
    return false;
  const bool active = GetActiveWindow() == Handle();
  switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (active) status_hints_.SetHint(HintAt(message.hwnd, message.pt));
      break;
    case WM_SYSCHAR:
      if (active && tool_strip_.AccessKey(static_cast<char>(message.wParam))) return true;
      break;
    case WM_KEYDOWN:
      // Ctrl+Tab and Ctrl+Page Down turn the pages as in any tabbed window, from any control.
      if (active && GetKeyState(VK_CONTROL) < 0 &&
          (message.wParam == VK_TAB || message.wParam == VK_NEXT || message.wParam == VK_PRIOR)) {
        const bool back =
            message.wParam == VK_PRIOR || (message.wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
        TurnPage(back ? -1 : 1);
        return true;
      }
      if ((message.wParam == VK_SPACE || message.wParam == VK_RETURN) &&
          tool_strip_.PressFocusedButton())
        return true;
      if (message.wParam >= VK_LEFT && message.wParam <= VK_DOWN &&
          tool_strip_.MoveFocus(message.wParam == VK_RIGHT || message.wParam == VK_DOWN ? 1 : -1))
        return true;
      break;
  }
  return IsDialogMessageA(Handle(), &message) != FALSE;
}

std::string MainWindow::HintAt(HWND target, POINT screen_point) const {
  HWND window = target;
  if (window == Handle()) {
    // Disabled and transparent children leave the pointer to the window itself.
    POINT client = screen_point;
    ScreenToClient(Handle(), &client);
    if (HWND child = ChildWindowFromPointEx(Handle(), client, CWP_SKIPINVISIBLE)) window = child;
  }
  for (; window && window != Handle(); window = GetParent(window)) {
    if (const char* hint = tool_strip_.HintAt(window, screen_point)) return hint;
    if (const char* hint = status_hints_.ControlHint(GetDlgCtrlID(window))) return hint;
    if (const char* hint = added_page_ ? added_page_->Hint(window) : nullptr) return hint;
  }
  return {};
}

void MainWindow::EnableRowButtons(bool enabled) {
  EnsureControls();
  tool_strip_.EnableRowButtons(enabled);
}

MainWindowFigures MainWindow::Figures() {
  EnsureControls();
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  return {rect.left,
          rect.top,
          rect.right - rect.left,
          WindowHeight(tool_strip_.Handle()),
          WindowHeight(status_hints_.Handle()),
          WindowHeight(page_control_.Handle())};
}
