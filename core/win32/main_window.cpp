#include "core/win32/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "core/main_form.h"
#include "core/texts.h"
#include "platform/win32/centre_on_screen.h"
#include "resources/resource_ids.h"

namespace {

constexpr char kMainWindowClass[] = "TForm1";
constexpr char kApplicationWindowClass[] = "MorvelinApplication";
constexpr UINT_PTR kListSubclassId = 1;
constexpr int kToolImageSize = 16;
constexpr COLORREF kToolImageMask = RGB(255, 0, 255);
constexpr int kVersionPanelWidth = 84;
// Space between the page's edge and the option controls, and their rows.
constexpr int kPageMargin = 12;
constexpr int kCheckRowHeight = 22;

const char* const kBandNames[] = {texts::kBandFile, texts::kBandEdit, texts::kBandOption,
                                  texts::kBandHelp};
constexpr int kToolBarIds[] = {IDC_FILE_TOOL_BAR, IDC_EDIT_TOOL_BAR, IDC_OPTION_TOOL_BAR,
                               IDC_HELP_TOOL_BAR};
// The buttons that need a selected row.
constexpr int kRowButtonIds[] = {IDC_DELETE_BTN, IDC_EDIT_BTN, IDC_RUN_BTN, IDC_MOVE_UP_BTN,
                                 IDC_MOVE_DOWN_BTN};

int WindowHeight(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect.bottom - rect.top;
}

void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  if (GetClassInfoExA(instance, name, &window_class)) return;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MORVELIN));
  window_class.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MORVELIN),
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  if (!RegisterClassExA(&window_class)) throw std::runtime_error("RegisterClassEx failed");
}

// The brush of the tab pages' body, behind the option controls: white where the tab control
// draws with the visual style, the dialog face otherwise.
HBRUSH PageBrush(HWND tab) {
  if (HMODULE uxtheme = GetModuleHandleA("uxtheme.dll")) {
    using GetWindowThemeFunction = HANDLE(WINAPI*)(HWND);
    const auto get_window_theme = reinterpret_cast<GetWindowThemeFunction>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, "GetWindowTheme")));
    if (get_window_theme && get_window_theme(tab)) return GetSysColorBrush(COLOR_WINDOW);
  }
  return GetSysColorBrush(COLOR_BTNFACE);
}

HFONT CreateUiFont(int height) {
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     VARIABLE_PITCH | FF_SWISS, texts::kMainFontName);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {
  control_hints_ = {
      {IDC_T_LIST_BOX, texts::kListHint},
      {IDC_HOMEPAGE_LABEL, texts::kHomePageHint},
      {IDC_HOMEPAGE, texts::kHomePageHint},
      {IDC_LAN_CHECK_BOX, texts::kLanCheckBoxHint},
      {IDC_CLEAR_CHECK_BOX, texts::kClearCheckBoxHint},
      {IDC_CAPS_CHECK_BOX, texts::kCapsCheckBoxHint},
      {IDC_NUM_CHECK_BOX, texts::kNumCheckBoxHint},
  };
  menu_hints_ = {
      {IDM_ALL_OK, texts::kAllOkHint},
      {IDM_ALL_NG, texts::kAllNgHint},
      {IDM_MOVE_UP, texts::kMoveUpHint},
      {IDM_MOVE_DOWN, texts::kMoveDownHint},
  };
}

MainWindow::~MainWindow() {
  if (hwnd_ && IsWindow(hwnd_)) {
    // Gone without the close handling: the program is ending anyway.
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (application_hwnd_ && IsWindow(application_hwnd_)) DestroyWindow(application_hwnd_);
  if (list_menu_) DestroyMenu(list_menu_);
  if (tool_images_) ImageList_Destroy(tool_images_);
  if (font_) DeleteObject(font_);
  if (list_font_) DeleteObject(list_font_);
}

// The tool buttons in their order on the bands.
static const MainWindow::ToolButton kToolButtons[] = {
    {IDC_OK_BTN, 0, 0, texts::kOkBtnCaption, texts::kOkBtnHint},
    {IDC_CANCEL_BTN, 0, 1, texts::kCancelBtnCaption, texts::kCancelBtnHint},
    {IDC_UPDATE_BTN, 0, 2, texts::kUpdateBtnCaption, texts::kUpdateBtnHint},
    {IDC_ADD_BTN, 1, 3, texts::kAddBtnCaption, texts::kAddBtnHint},
    {IDC_EDIT_BTN, 1, 4, texts::kEditBtnCaption, texts::kEditBtnHint},
    {IDC_DELETE_BTN, 1, 5, texts::kDeleteBtnCaption, texts::kDeleteBtnHint},
    {IDC_SEPARATOR_BTN, 1, 6, texts::kSeparatorBtnCaption, texts::kSeparatorBtnHint},
    {IDC_MOVE_UP_BTN, 2, 7, texts::kMoveUpBtnCaption, texts::kMoveUpHint},
    {IDC_MOVE_DOWN_BTN, 2, 8, texts::kMoveDownBtnCaption, texts::kMoveDownHint},
    {IDC_RUN_BTN, 2, 9, texts::kRunBtnCaption, texts::kRunBtnHint},
    {IDC_LIST_VIEW_BUTTON, 2, 10, texts::kListViewButtonCaption, texts::kListViewButtonHint},
    {IDC_HELP_BTN, 3, 11, texts::kHelpBtnCaption, texts::kHelpBtnHint},
    {IDC_HELP_BUTTON, 3, 12, texts::kHelpButtonCaption, texts::kHelpButtonHint},
    {IDC_GROUP_BUTTON, 3, 13, texts::kGroupButtonCaption, texts::kGroupButtonHint},
    {IDC_SHORTCUT_BUTTON, 3, 14, texts::kShortcutButtonCaption, texts::kShortcutButtonHint},
};

void InitControlClasses() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                   ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
  done = InitCommonControlsEx(&controls) != FALSE;
}

void MainWindow::Create(Controls controls) {
  RegisterWindowClass(instance_, kApplicationWindowClass, DefWindowProcA);
  RegisterWindowClass(instance_, kMainWindowClass, WindowProc);

  // Never shown: it only owns what the program does before its main window counts.
  application_hwnd_ = CreateWindowExA(0, kApplicationWindowClass, texts::kAppTitle,
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
                                      0, nullptr, nullptr, instance_, nullptr);
  if (!application_hwnd_) throw std::runtime_error("CreateWindowEx failed");

  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, texts::kAppTitle,
                          WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                          0, 0, 485, 333, nullptr, nullptr, instance_, this);
  if (!hwnd_) throw std::runtime_error("CreateWindowEx failed");
  if (controls == Controls::Now) EnsureControls();
}

void MainWindow::EnsureControls() {
  if (controls_built_) return;
  controls_built_ = true;
  InitControlClasses();
  CreateFonts();
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  CreateCoolBar();
  CreatePages();
  CreateStatusBar();
  CreateListMenu();
  // The pages' controls lie over the tab control, so it goes below them; it comes last in the
  // Tab order as a result.
  SetWindowPos(page_control_.Handle(), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PageControlChange();
  FormResize();

  // What was set while the controls did not exist yet.
  homepage_.SetText(home_page_);
  ApplyOptions();
  ShowRows(rows_);
  rows_.clear();
}

void MainWindow::CreateFonts() {
  font_ = CreateUiFont(12);
  list_font_ = CreateUiFont(15);
}

HWND MainWindow::CreateChild(const char* class_name, const char* text, DWORD style, DWORD ex_style,
                             int id) {
  HWND child =
      CreateWindowExA(ex_style, class_name, text, WS_CHILD | style, 0, 0, 0, 0, hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (!child) throw std::runtime_error("CreateWindowEx failed");
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return child;
}

void MainWindow::CreateCoolBar() {
  cool_bar_ = ReBar(CreateChild(REBARCLASSNAMEA, "",
                                WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                    RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                                0, IDC_COOL_BAR));
  cool_bar_.SetBkColor(GetSysColor(COLOR_BTNFACE));
  tool_images_ = ImageList_LoadImageA(instance_, MAKEINTRESOURCEA(IDB_TOOLBAR), kToolImageSize, 0,
                                      kToolImageMask, IMAGE_BITMAP, LR_CREATEDIBSECTION);

  for (int band = 0; band < 4; ++band) {
    // No tool tips: hints go to the status bar only.
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                                   CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, cool_bar_.Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBarIds[band])),
                               instance_, nullptr);
    if (!bar) throw std::runtime_error("CreateWindowEx failed");
    ToolBar& tool_bar = tool_bars_[band];
    tool_bar = ToolBar(bar);
    tool_bar.ButtonStructSize();
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    tool_bar.SetImageList(tool_images_);

    std::vector<TBBUTTON> buttons;
    for (const ToolButton& tool : kToolButtons) {
      if (tool.band != band) continue;
      TBBUTTON button{};
      button.iBitmap = tool.image;
      button.idCommand = tool.id;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
      button.iString = reinterpret_cast<INT_PTR>(tool.caption);
      buttons.push_back(button);
    }
    tool_bar.AddButtons(buttons.data(), static_cast<int>(buttons.size()));
    tool_bar.AutoSize();
    const SIZE size = tool_bar.GetMaxSize();

    REBARBANDINFOA info{};
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_TEXT |
                 RBBIM_IDEALSIZE | RBBIM_ID;
    info.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    info.lpText = const_cast<char*>(kBandNames[band]);
    info.hwndChild = bar;
    info.cxMinChild = static_cast<UINT>(size.cx);
    info.cyMinChild = static_cast<UINT>(size.cy);
    info.cx = static_cast<UINT>(size.cx);
    info.cxIdeal = static_cast<UINT>(size.cx);
    info.wID = static_cast<UINT>(band);
    cool_bar_.InsertBand(-1, info);
  }
}

void MainWindow::CreatePages() {
  page_control_ = TabControl(CreateChild(
      WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, IDC_PAGE_CONTROL));
  page_control_.InsertItem(0, texts::kTabApplication);
  page_control_.InsertItem(1, texts::kTabProperties);
  page_brush_ = PageBrush(page_control_.Handle());

  title_list_ = ListView(CreateChild(
      WC_LISTVIEWA, "", LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
      WS_EX_CLIENTEDGE, IDC_T_LIST_BOX));
  SendMessageA(title_list_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(list_font_), FALSE);
  title_list_.SetExtendedListViewStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  title_list_.InsertColumn(0, 100);
  SetWindowSubclass(title_list_.Handle(), ListProc, kListSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));

  homepage_label_ =
      CreateChild("STATIC", texts::kHomePageLabel, SS_LEFT | SS_NOPREFIX, 0, IDC_HOMEPAGE_LABEL);
  homepage_ =
      Edit(CreateChild("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IDC_HOMEPAGE));
  const auto check_box = [this](const char* caption, int id) {
    return Button(CreateChild("BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, 0, id));
  };
  lan_check_box_ = check_box(texts::kLanCheckBoxCaption, IDC_LAN_CHECK_BOX);
  clear_check_box_ = check_box(texts::kClearCheckBoxCaption, IDC_CLEAR_CHECK_BOX);
  caps_check_box_ = check_box(texts::kCapsCheckBoxCaption, IDC_CAPS_CHECK_BOX);
  num_check_box_ = check_box(texts::kNumCheckBoxCaption, IDC_NUM_CHECK_BOX);
  menu_icon_check_box_ = check_box(texts::kMenuIconCheckBoxCaption, IDC_MENU_ICON_CHECK_BOX);
}

void MainWindow::CreateStatusBar() {
  status_bar_ =
      StatusBar(CreateChild(STATUSCLASSNAMEA, "", WS_VISIBLE | SBARS_SIZEGRIP, 0, IDC_STATUS_BAR));
  const int right_edges[] = {kVersionPanelWidth, -1};
  status_bar_.SetParts(right_edges, 2);
  status_bar_.SetOwnerDrawn(0, version_text_.c_str());
}

void MainWindow::CreateListMenu() {
  list_menu_ = CreatePopupMenu();
  AppendMenuA(list_menu_, MF_STRING, IDM_ALL_OK, texts::kAllOkCaption);
  AppendMenuA(list_menu_, MF_STRING, IDM_ALL_NG, texts::kAllNgCaption);
  AppendMenuA(list_menu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(list_menu_, MF_STRING, IDM_MOVE_UP, texts::kMoveUpMenuCaption);
  AppendMenuA(list_menu_, MF_STRING, IDM_MOVE_DOWN, texts::kMoveDownMenuCaption);
}

// ---- Window procedures ------------------------------------------------------------------------

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    self->ReportError(error.what());
    return 0;
  }
}

LRESULT CALLBACK MainWindow::ListProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<MainWindow*>(data);
  try {
    switch (message) {
      case WM_RBUTTONDOWN:
        // The context menu acts on the row selected before: a right click selects nothing.
        return 0;
      case WM_RBUTTONUP: {
        POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        ClientToScreen(hwnd, &point);
        self->TitleListContextPopup(point);
        return 0;
      }
      case WM_CONTEXTMENU: {
        POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        if (lparam == -1) {  // from the keyboard: at the selected row, else the list's corner
          RECT rect{};
          const int selected = self->title_list_.GetNextItem(-1, LVNI_SELECTED);
          if (selected < 0 || !self->title_list_.GetItemRect(selected, rect, LVIR_LABEL))
            rect = RECT{};
          point = POINT{rect.left, rect.bottom};
          ClientToScreen(hwnd, &point);
        }
        self->TitleListContextPopup(point);
        return 0;
      }
      case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, ListProc, kListSubclassId);
        break;
    }
  } catch (const std::exception& error) {
    self->ReportError(error.what());
    return 0;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_COMMAND:
      // Menu items, posted commands and button clicks; other control notifications are not
      // commands.
      if (lparam == 0 || HIWORD(wparam) == BN_CLICKED) Command(LOWORD(wparam));
      return 0;
    case WM_NOTIFY:
      return Notify(*reinterpret_cast<NMHDR*>(lparam));
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item.hwndItem != status_bar_.Handle()) break;
      DrawVersionPanel(item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      // The label and the check boxes sit on the tab page, not on the window's face.
      const HWND control = reinterpret_cast<HWND>(lparam);
      if (control == homepage_.Handle() || GetParent(control) != hwnd_ ||
          control == status_bar_.Handle())
        break;
      const auto dc = reinterpret_cast<HDC>(wparam);
      LOGBRUSH brush{};
      GetObjectA(page_brush_, sizeof(brush), &brush);
      SetBkColor(dc, brush.lbColor);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(page_brush_);
    }
    case WM_THEMECHANGED:
      page_brush_ = PageBrush(page_control_.Handle());
      break;
    case WM_MENUSELECT:
      MenuSelect(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HMENU>(lparam));
      return 0;
    case WM_CLOSE:
      FormClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

void MainWindow::ReportError(const char* message) {
  if (error_handler_) {
    error_handler_(message);
  } else {
    MessageBoxA(hwnd_, message, texts::kAppTitle, MB_OK | MB_ICONERROR);
  }
}

// ---- Events -----------------------------------------------------------------------------------

void MainWindow::FormResize() {
  if (!status_bar_.Handle() || laying_out_) return;
  laying_out_ = true;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = client.right;

  // Both bars size themselves to the window's width.
  SendMessageA(cool_bar_.Handle(), WM_SIZE, 0, 0);
  SendMessageA(status_bar_.Handle(), WM_SIZE, 0, 0);
  const int top = WindowHeight(cool_bar_.Handle());
  const int bottom =
      std::max(top, static_cast<int>(client.bottom) - WindowHeight(status_bar_.Handle()));

  MoveWindow(page_control_.Handle(), 0, top, width, bottom - top, TRUE);
  RECT page{0, top, width, bottom};
  page_control_.AdjustRect(page);
  const int page_width = std::max(0, static_cast<int>(page.right - page.left));
  const int page_height = std::max(0, static_cast<int>(page.bottom - page.top));

  MoveWindow(title_list_.Handle(), page.left, page.top, page_width, page_height, TRUE);
  title_list_.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);

  const int x = page.left + kPageMargin;
  const int inner_width = std::max(0, page_width - 2 * kPageMargin);
  int y = page.top + kPageMargin;
  MoveWindow(homepage_label_, x, y, inner_width, 16, TRUE);
  y += 18;
  MoveWindow(homepage_.Handle(), x, y, std::min(inner_width, 360), 21, TRUE);
  y += 21 + 10;
  for (const Button* check : {&lan_check_box_, &clear_check_box_, &caps_check_box_, &num_check_box_,
                              &menu_icon_check_box_}) {
    MoveWindow(check->Handle(), x, y, std::min(inner_width, 300), 18, TRUE);
    y += kCheckRowHeight;
  }
  laying_out_ = false;
}

void MainWindow::FormClose() {
  if (close_handler_) close_handler_();
  DestroyWindow(hwnd_);
}

void MainWindow::Command(int id) {
  const auto handler = commands_.find(id);
  if (handler != commands_.end() && handler->second) handler->second();
}

LRESULT MainWindow::Notify(NMHDR& header) {
  if (header.hwndFrom == title_list_.Handle()) {
    switch (header.code) {
      case LVN_ITEMCHANGED:
        TitleListItemChanged(reinterpret_cast<NMLISTVIEW&>(header));
        return 0;
      case NM_DBLCLK:
        if (list_events_.double_click) list_events_.double_click();
        return 0;
      case NM_SETFOCUS:
        if (list_events_.enter) list_events_.enter();
        return 0;
    }
  } else if (header.hwndFrom == page_control_.Handle()) {
    if (header.code == TCN_SELCHANGE) PageControlChange();
  } else if (header.hwndFrom == cool_bar_.Handle()) {
    if (header.code == RBN_HEIGHTCHANGE) FormResize();
  }
  return 0;
}

void MainWindow::PageControlChange() {
  const bool application = page_control_.GetCurSel() != 1;
  ShowWindow(title_list_.Handle(), application ? SW_SHOW : SW_HIDE);
  const int options_state = application ? SW_HIDE : SW_SHOW;
  ShowWindow(homepage_label_, options_state);
  ShowWindow(homepage_.Handle(), options_state);
  for (const Button* check : {&lan_check_box_, &clear_check_box_, &caps_check_box_, &num_check_box_,
                              &menu_icon_check_box_})
    ShowWindow(check->Handle(), options_state);
}

void MainWindow::TitleListItemChanged(const NMLISTVIEW& change) {
  if (filling_list_ || change.iItem < 0 || !(change.uChanged & LVIF_STATE)) return;
  const UINT old_image = (change.uOldState & LVIS_STATEIMAGEMASK) >> 12;
  const UINT new_image = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
  // 0 is a row that has no check box yet; 1 unticked, 2 ticked.
  if (old_image == 0 || new_image == 0 || old_image == new_image) return;
  if (list_events_.row_checked) list_events_.row_checked(change.iItem, new_image == 2);
}

void MainWindow::TitleListContextPopup(POINT screen_point) {
  TrackPopupMenu(list_menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen_point.x, screen_point.y, 0,
                 hwnd_, nullptr);
}

void MainWindow::DrawVersionPanel(const DRAWITEMSTRUCT& item) {
  if (item.itemID != 0 || !item.itemData) return;
  const char* text = reinterpret_cast<const char*>(item.itemData);
  const auto font = reinterpret_cast<HFONT>(SendMessageA(status_bar_.Handle(), WM_GETFONT, 0, 0));
  const HGDIOBJ old_font = font ? SelectObject(item.hDC, font) : nullptr;
  const int old_mode = SetBkMode(item.hDC, TRANSPARENT);
  const COLORREF old_color = SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  TextOutA(item.hDC, item.rcItem.left + 2, item.rcItem.top + 1, text,
           static_cast<int>(std::strlen(text)));
  SetTextColor(item.hDC, old_color);
  SetBkMode(item.hDC, old_mode);
  if (old_font) SelectObject(item.hDC, old_font);
}

void MainWindow::MenuSelect(UINT id, UINT flags, HMENU menu) {
  if (GetActiveWindow() != hwnd_) return;
  if (flags == 0xFFFF && !menu) {  // the menu closed
    SetHint("");
    return;
  }
  const auto hint = (flags & (MF_POPUP | MF_SEPARATOR)) ? menu_hints_.end() : menu_hints_.find(id);
  SetHint(hint == menu_hints_.end() ? std::string() : hint->second);
}

// ---- Hints and keys ---------------------------------------------------------------------------

bool MainWindow::PreTranslateMessage(MSG& message) {
  if (!hwnd_ || !controls_built_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)))
    return false;
  const bool active = GetActiveWindow() == hwnd_;
  switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (active) ShowHintInStatusBar(message.hwnd, message.pt);
      break;
    case WM_SYSCHAR:
      if (active && PressToolButtonByAccessKey(static_cast<char>(message.wParam))) return true;
      break;
  }
  return IsDialogMessageA(hwnd_, &message) != FALSE;
}

void MainWindow::ShowHintInStatusBar(HWND target, POINT screen_point) {
  SetHint(HintAt(target, screen_point));
}

std::string MainWindow::HintAt(HWND target, POINT screen_point) const {
  HWND window = target;
  if (window == hwnd_) {
    // Disabled and transparent children leave the pointer to the window itself.
    POINT client = screen_point;
    ScreenToClient(hwnd_, &client);
    if (HWND child = ChildWindowFromPointEx(hwnd_, client, CWP_SKIPINVISIBLE)) window = child;
  }
  for (; window && window != hwnd_; window = GetParent(window)) {
    for (const ToolBar& bar : tool_bars_) {
      if (bar.Handle() != window) continue;
      POINT point = screen_point;
      ScreenToClient(window, &point);
      const int index = bar.HitTest(point);
      TBBUTTON button{};
      if (index >= 0 && bar.GetButton(index, button)) {
        if (const ToolButton* tool = FindToolButton(button.idCommand)) return tool->hint;
      }
    }
    const auto hint = control_hints_.find(GetDlgCtrlID(window));
    if (hint != control_hints_.end()) return hint->second;
  }
  return {};
}

void MainWindow::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  status_bar_.SetText(1, LongHint(hint));
}

bool MainWindow::PressToolButtonByAccessKey(char key) {
  const int wanted = std::toupper(static_cast<unsigned char>(key));
  for (const ToolButton& tool : kToolButtons) {
    const char* amp = std::strchr(tool.caption, '&');
    if (!amp || std::toupper(static_cast<unsigned char>(amp[1])) != wanted) continue;
    if (!tool_bars_[tool.band].IsButtonEnabled(tool.id)) continue;
    // Through the window procedure, where errors are caught.
    PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(tool.id, 0), 0);
    return true;
  }
  return false;
}

const MainWindow::ToolButton* MainWindow::FindToolButton(int id) const {
  for (const ToolButton& tool : kToolButtons)
    if (tool.id == id) return &tool;
  return nullptr;
}

MainWindowFigures MainWindow::Figures() {
  EnsureControls();
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return {rect.left,
          rect.top,
          rect.right - rect.left,
          WindowHeight(cool_bar_.Handle()),
          WindowHeight(status_bar_.Handle()),
          WindowHeight(page_control_.Handle())};
}

// ---- MainView ---------------------------------------------------------------------------------

WindowBounds MainWindow::Bounds() {
  RECT rect{};
  if (IsIconic(hwnd_) || IsZoomed(hwnd_)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(hwnd_, &placement);
    rect = placement.rcNormalPosition;
  } else {
    GetWindowRect(hwnd_, &rect);
  }
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MainWindow::SetBounds(const WindowBounds& bounds) {
  SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string MainWindow::HomePage() {
  EnsureControls();
  return homepage_.GetText();
}

void MainWindow::SetHomePage(const std::string& text) {
  if (!controls_built_) {
    home_page_ = text;
    return;
  }
  homepage_.SetText(text);
}

OptionChecks MainWindow::Options() {
  EnsureControls();
  return {lan_check_box_.GetCheck(), clear_check_box_.GetCheck(), caps_check_box_.GetCheck(),
          num_check_box_.GetCheck(), menu_icon_check_box_.GetCheck()};
}

void MainWindow::SetOptions(const OptionChecks& options) {
  options_ = options;
  if (controls_built_) ApplyOptions();
}

void MainWindow::ApplyOptions() {
  lan_check_box_.SetCheck(options_.launcher);
  clear_check_box_.SetCheck(options_.clear_recent);
  caps_check_box_.SetCheck(options_.caps);
  num_check_box_.SetCheck(options_.num);
  menu_icon_check_box_.SetCheck(options_.menu_icon);
}

void MainWindow::CentreOnScreen() {
  CentreWindowOnScreen(hwnd_);
}

void MainWindow::Show() {
  EnsureControls();
  ShowWindow(hwnd_, minimised_ ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
}

void MainWindow::Minimise() {
  minimised_ = true;
  if (IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_MINIMIZE);
}

void MainWindow::SetApplicationToolWindow() {
  SetWindowLongA(application_hwnd_, GWL_EXSTYLE,
                 GetWindowLongA(application_hwnd_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void MainWindow::SetStatusText(int panel, const std::string& text) {
  EnsureControls();
  if (panel == 0) {
    version_text_ = text;
    // The part carries the address of the text it shows, and repaints.
    status_bar_.SetOwnerDrawn(0, version_text_.c_str());
  } else {
    hint_ = text;
    status_bar_.SetText(panel, text);
  }
}

void MainWindow::ShowApplicationPage() {
  EnsureControls();
  page_control_.SetCurSel(0);
  PageControlChange();
}

bool MainWindow::SelectFirstRowAndFocus() {
  EnsureControls();
  if (!IsWindowVisible(title_list_.Handle()) || !IsWindowEnabled(title_list_.Handle()))
    return false;
  if (title_list_.GetItemCount() > 0) Select(0);
  SetFocus(title_list_.Handle());
  return GetFocus() == title_list_.Handle();
}

void MainWindow::FocusLanCheckBox() {
  EnsureControls();
  if (IsWindowVisible(lan_check_box_.Handle())) SetFocus(lan_check_box_.Handle());
}

// ---- ItemListView -----------------------------------------------------------------------------

void MainWindow::ShowRows(const std::vector<LaunchItem>& rows) {
  if (!controls_built_) {
    rows_ = rows;
    return;
  }
  // Our own changes of the check boxes are not the user's.
  filling_list_ = true;
  HWND list = title_list_.Handle();
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  title_list_.DeleteAllItems();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int index = title_list_.InsertItem(static_cast<int>(i), rows[i].title);
    title_list_.SetCheckState(index, rows[i].enabled);
  }
  title_list_.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  filling_list_ = false;
}

int MainWindow::SelectedIndex() {
  EnsureControls();
  return title_list_.GetNextItem(-1, LVNI_SELECTED);
}

void MainWindow::Select(int index) {
  EnsureControls();
  if (index < 0) {
    title_list_.SetItemState(-1, 0, LVIS_SELECTED);
    return;
  }
  title_list_.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  title_list_.EnsureVisible(index);
}

void MainWindow::EnableRowButtons(bool enabled) {
  EnsureControls();
  for (int id : kRowButtonIds)
    if (const ToolButton* tool = FindToolButton(id))
      tool_bars_[tool->band].EnableButton(id, enabled);
}
