#include "shell/win32/about_box_window.h"

#include <exception>
#include <string>

#include "core/maker_addresses.h"
#include "core/message_dialogs.h"
#include "core/texts.h"
#include "platform/app_error.h"
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/win32_message_boxes.h"
#include "resources/resource_ids.h"
#include "shell/shell_texts.h"

namespace {

constexpr int kClientWidth = 297;
constexpr int kClientHeight = 212;
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 500;
// The panel's corner: the places of the controls inside it are relative to it.
constexpr int kPanelLeft = 8;
constexpr int kPanelTop = 4;
constexpr RECT kPanel{kPanelLeft, kPanelTop, kPanelLeft + 281, kPanelTop + 165};

struct Place {
  int id;
  const char* window_class;
  DWORD style;
  DWORD ex_style;
  int left, top, width, height;  // inside the panel, except the OK button
  bool in_panel;
};

const Place kPlaces[] = {
    {IDC_ABOUT_VERSION, "STATIC", SS_LEFTNOWORDWRAP, 0, 148, 21, 89, 13, true},
    {IDC_ABOUT_WWW, "STATIC", SS_LEFTNOWORDWRAP, 0, 34, 80, 30, 12, true},
    {IDC_ABOUT_LINK, "STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, 0, 68, 79, 179, 12, true},
    {IDC_ABOUT_TOTAL_MEMORY, "STATIC", SS_LEFTNOWORDWRAP, 0, 16, 104, 249, 12, true},
    {IDC_ABOUT_FREE_MEMORY, "STATIC", SS_LEFTNOWORDWRAP, 0, 16, 121, 249, 12, true},
    {IDC_ABOUT_FREE_RESOURCES, "EDIT", ES_READONLY | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16,
     138, 249, 20, true},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 111, 179, 75, 24, false},
};

HFONT MakeFont(const char* face, int pixels, bool underline = false) {
  return CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

COLORREF ToColorRef(const Rgb& colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

// An empty dialog template: the box places its own controls at their pixel places.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0, window_class = 0, title = 0;
};

}  // namespace

TAboutBox::~TAboutBox() {
  for (HFONT font : {font_, title_font_, version_font_, link_font_})
    if (font) DeleteObject(font);
  if (black_brush_) DeleteObject(black_brush_);
}

void TAboutBox::ShowModal(HWND owner) {
  alignas(DWORD) EmptyTemplate dialog{};
  dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  const INT_PTR result = DialogBoxIndirectParamA(instance_, &dialog.header, owner, DialogProc,
                                                 reinterpret_cast<LPARAM>(this));
  if (result == -1) throw AppError(std::string(shell_texts::kAboutCaption));
}

INT_PTR CALLBACK TAboutBox::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lparam);
    reinterpret_cast<TAboutBox*>(lparam)->hwnd_ = window;
  }
  auto* self = reinterpret_cast<TAboutBox*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!self) return FALSE;
  // Errors never leave the window procedure: the general error box shows them here.
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    Win32MessageBoxes boxes;
    MessageDialogs(boxes).ShowAppError(error.what());
    return FALSE;
  }
}

INT_PTR TAboutBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return FALSE;  // the OK button already has the focus
    case WM_TIMER:
      if (wparam == kRefreshTimer) RefreshSystemInfo();
      return TRUE;
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          ControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)));
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == GetDlgItem(hwnd_, IDC_ABOUT_LINK)) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
          Close();
          return TRUE;
        case IDCANCEL:  // Escape: there is no cancel button
          return TRUE;
        case IDC_ABOUT_LINK:
          if (HIWORD(wparam) == STN_CLICKED) {
            char address[512] = {};
            GetDlgItemTextA(hwnd_, IDC_ABOUT_LINK, address, sizeof address);
            services_.shell.Execute(services_.link_owner, address, "", "", SW_SHOW);
          }
          return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Close();
      return TRUE;
  }
  return FALSE;
}

void TAboutBox::FormCreate() {
  font_ = MakeFont(shell_texts::kAboutFont, 12);
  title_font_ = MakeFont(shell_texts::kTitleFont, 24);
  version_font_ = MakeFont(shell_texts::kTitleFont, 15);
  link_font_ = MakeFont(shell_texts::kAboutFont, 12, true);
  black_brush_ = CreateSolidBrush(RGB(0, 0, 0));
  icon_ = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_MORVELIN));

  SetWindowTextA(hwnd_, shell_texts::kAboutCaption);
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CentreWindowOnScreen(hwnd_);

  for (const Place& place : kPlaces) {
    const int left = place.left + (place.in_panel ? kPanelLeft : 0);
    const int top = place.top + (place.in_panel ? kPanelTop : 0);
    HWND control = CreateWindowExA(
        place.ex_style, place.window_class, "", WS_CHILD | WS_VISIBLE | place.style, left, top,
        place.width, place.height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
        instance_, nullptr);
    if (!control) throw AppError(std::string(shell_texts::kAboutCaption));
    HFONT font = place.id == IDC_ABOUT_VERSION ? version_font_
                 : place.id == IDC_ABOUT_LINK  ? link_font_
                                               : font_;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  SetDlgItemTextA(hwnd_, IDC_ABOUT_WWW, shell_texts::kWww);
  SetDlgItemTextA(hwnd_, IDC_ABOUT_LINK, maker::kHomePage);
  SetDlgItemTextA(hwnd_, IDOK, texts::kButtonOk);
  // Until the first tick the memory lines show their captions only.
  SetDlgItemTextA(hwnd_, IDC_ABOUT_TOTAL_MEMORY, shell_texts::kTotalMemoryLabel);
  SetDlgItemTextA(hwnd_, IDC_ABOUT_FREE_MEMORY, shell_texts::kFreeMemoryLabel);
  // FormShow: the version is set on every showing, and the refresh runs from now on.
  SetDlgItemTextA(hwnd_, IDC_ABOUT_VERSION, texts::kVersionText);
  timer_ = SetTimer(hwnd_, kRefreshTimer, kRefreshMs, nullptr);
  SetFocus(GetDlgItem(hwnd_, IDOK));
}

void TAboutBox::RefreshSystemInfo() {
  const AboutFigures figures = ::RefreshSystemInfo(services_.memory, services_.resources);
  SetDlgItemTextA(hwnd_, IDC_ABOUT_TOTAL_MEMORY, figures.total_memory.c_str());
  SetDlgItemTextA(hwnd_, IDC_ABOUT_FREE_MEMORY, figures.free_memory.c_str());
  resources_colour_ = figures.resources_colour;
  SetDlgItemTextA(hwnd_, IDC_ABOUT_FREE_RESOURCES, figures.resources.c_str());
  InvalidateRect(GetDlgItem(hwnd_, IDC_ABOUT_FREE_RESOURCES), nullptr, TRUE);
}

HBRUSH TAboutBox::ControlColour(HDC dc, HWND control) {
  switch (GetDlgCtrlID(control)) {
    case IDC_ABOUT_FREE_RESOURCES:
      SetTextColor(dc, ToColorRef(resources_colour_));
      SetBkColor(dc, RGB(0, 0, 0));
      return black_brush_;
    case IDC_ABOUT_VERSION:
    case IDC_ABOUT_LINK:
      SetTextColor(dc, RGB(0, 0, 255));
      break;
    default:
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      break;
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

void TAboutBox::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT panel = kPanel;
  DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
  RECT bevel{kPanelLeft + 13, kPanelTop + 97, kPanelLeft + 13 + 255, kPanelTop + 97 + 2};
  DrawEdge(dc, &bevel, BDR_SUNKENOUTER, BF_RECT);
  if (icon_) DrawIconEx(dc, kPanelLeft + 14, kPanelTop + 13, icon_, 32, 32, 0, nullptr, DI_NORMAL);
  // The title: black letters, and white ones one pixel up and left above them.
  HGDIOBJ old_font = SelectObject(dc, title_font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, kPanelLeft + 53, kPanelTop + 12, texts::kAppTitle, 8);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutA(dc, kPanelLeft + 52, kPanelTop + 11, texts::kAppTitle, 8);
  SelectObject(dc, old_font);
  EndPaint(hwnd_, &paint);
}

void TAboutBox::Close() {
  if (timer_) KillTimer(hwnd_, timer_);
  timer_ = 0;
  EndDialog(hwnd_, IDOK);
}

void ShowAboutBox(HINSTANCE instance, HWND owner, const AboutBoxServices& services) {
  TAboutBox box(instance, services);
  box.ShowModal(owner);
}
