#include "shell/win32/about_box_window.h"

#include <exception>
#include <string>

#include "core/maker_addresses.h"
#include "core/message_dialogs.h"
#include "core/texts.h"
#include "platform/app_error.h"
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/ui_font.h"
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

COLORREF ToColorRef(const Rgb& colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

// An empty dialog template: the box places its own controls at their pixel places.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0, window_class = 0, title = 0;
};

}  // namespace

TAboutBox::TAboutBox(HINSTANCE instance, const AboutBoxServices& services)
    : ModalDialog(instance,
                  [](const std::string& message) {
                    Win32MessageBoxes boxes;
                    MessageDialogs(boxes).ShowAppError(message);
                  }),
      services_(services) {}

void TAboutBox::ShowModal(HWND owner) {
  alignas(DWORD) EmptyTemplate dialog{};
  dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  Run(dialog.header, owner);
}

bool TAboutBox::OnInit() {
  FormCreate();
  return false;  // the OK button already has the focus
}

bool TAboutBox::OnTimer(UINT_PTR id) {
  if (id == kRefreshTimer) RefreshSystemInfo();
  return true;
}

bool TAboutBox::OnCommand(int id, int code) {
  if (id != IDC_ABOUT_LINK) return false;
  if (code == STN_CLICKED) {
    char address[512] = {};
    GetDlgItemTextA(Handle(), IDC_ABOUT_LINK, address, sizeof address);
    services_.shell.Execute(services_.link_owner, address, "", "", SW_SHOW);
  }
  return true;
}

std::optional<INT_PTR> TAboutBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          ControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)));
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == GetDlgItem(Handle(), IDC_ABOUT_LINK)) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    default:
      return std::nullopt;
  }
}

void TAboutBox::FormCreate() {
  font_ = CreateUiFont(12);
  title_font_ = CreateFaceFont(shell_texts::kTitleFont, 24);
  version_font_ = CreateFaceFont(shell_texts::kTitleFont, 15);
  link_font_ = CreateUiFont(12, true);
  black_brush_ = OwnedGdiObject(CreateSolidBrush(RGB(0, 0, 0)));
  icon_ = LoadIconA(Instance(), MAKEINTRESOURCEA(IDI_MORVELIN));

  SetWindowTextA(Handle(), shell_texts::kAboutCaption);
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CentreWindowOnScreen(Handle());

  for (const Place& place : kPlaces) {
    const int left = place.left + (place.in_panel ? kPanelLeft : 0);
    const int top = place.top + (place.in_panel ? kPanelTop : 0);
    HWND control = CreateWindowExA(
        place.ex_style, place.window_class, "", WS_CHILD | WS_VISIBLE | place.style, left, top,
        place.width, place.height, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), Instance(), nullptr);
    if (!control) throw AppError(std::string(shell_texts::kAboutCaption));
    const OwnedFont& font = place.id == IDC_ABOUT_VERSION ? version_font_
                            : place.id == IDC_ABOUT_LINK  ? link_font_
                                                          : font_;
    UseFont(control, font.Get());
  }
  SetDlgItemTextA(Handle(), IDC_ABOUT_WWW, shell_texts::kWww);
  SetDlgItemTextA(Handle(), IDC_ABOUT_LINK, maker::kHomePage);
  SetDlgItemTextA(Handle(), IDOK, texts::kButtonOk);
  // Until the first tick the memory lines show their captions only.
  SetDlgItemTextA(Handle(), IDC_ABOUT_TOTAL_MEMORY, shell_texts::kTotalMemoryLabel);
  SetDlgItemTextA(Handle(), IDC_ABOUT_FREE_MEMORY, shell_texts::kFreeMemoryLabel);
  // FormShow: the version is set on every showing, and the refresh runs from now on.
  SetDlgItemTextA(Handle(), IDC_ABOUT_VERSION, texts::kVersionText);
  timer_ = SetTimer(Handle(), kRefreshTimer, kRefreshMs, nullptr);
  SetFocus(GetDlgItem(Handle(), IDOK));
}

void TAboutBox::RefreshSystemInfo() {
  const AboutFigures figures = ::RefreshSystemInfo(services_.memory, services_.resources);
  SetDlgItemTextA(Handle(), IDC_ABOUT_TOTAL_MEMORY, figures.total_memory.c_str());
  SetDlgItemTextA(Handle(), IDC_ABOUT_FREE_MEMORY, figures.free_memory.c_str());
  resources_colour_ = figures.resources_colour;
  SetDlgItemTextA(Handle(), IDC_ABOUT_FREE_RESOURCES, figures.resources.c_str());
  InvalidateRect(GetDlgItem(Handle(), IDC_ABOUT_FREE_RESOURCES), nullptr, TRUE);
}

HBRUSH TAboutBox::ControlColour(HDC dc, HWND control) {
  switch (GetDlgCtrlID(control)) {
    case IDC_ABOUT_FREE_RESOURCES:
      SetTextColor(dc, ToColorRef(resources_colour_));
      SetBkColor(dc, RGB(0, 0, 0));
      return static_cast<HBRUSH>(black_brush_.Get());
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
  HDC dc = BeginPaint(Handle(), &paint);
  RECT panel = kPanel;
  DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
  RECT bevel{kPanelLeft + 13, kPanelTop + 97, kPanelLeft + 13 + 255, kPanelTop + 97 + 2};
  DrawEdge(dc, &bevel, BDR_SUNKENOUTER, BF_RECT);
  if (icon_) DrawIconEx(dc, kPanelLeft + 14, kPanelTop + 13, icon_, 32, 32, 0, nullptr, DI_NORMAL);
  // The title: black letters, and white ones one pixel up and left above them.
  HGDIOBJ old_font = SelectObject(dc, title_font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, kPanelLeft + 53, kPanelTop + 12, texts::kAppTitle, 8);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutA(dc, kPanelLeft + 52, kPanelTop + 11, texts::kAppTitle, 8);
  SelectObject(dc, old_font);
  EndPaint(Handle(), &paint);
}

void TAboutBox::Close() {
  if (timer_) KillTimer(Handle(), timer_);
  timer_ = 0;
  EndDialog(Handle(), IDOK);
}

void ShowAboutBox(HINSTANCE instance, HWND owner, const AboutBoxServices& services) {
  TAboutBox box(instance, services);
  box.ShowModal(owner);
}
