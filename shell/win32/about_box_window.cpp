#include "shell/win32/about_box_window.h"

#include <cstring>
#include <exception>
#include <string>

#include "core/maker_addresses.h"
#include "core/texts.h"
#include "core/win32/app_error_box.h"
#include "platform/app_error.h"
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/dpi.h"
#include "platform/win32/icon_image.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"
#include "shell/shell_texts.h"

namespace {

constexpr int kClientWidth = 297;
constexpr int kClientHeight = 212;
constexpr UINT_PTR kRefreshTimer = 1;
constexpr int kIconSize = 32;
constexpr UINT kRefreshMs = 500;
// The panel's corner: the places of the controls inside it are relative to it. All places are
// in pixels at 96 dpi, scaled for the box's DPI.
constexpr int kPanelLeft = 8;
constexpr int kPanelTop = 4;
constexpr int kPanelWidth = 281;
constexpr int kPanelHeight = 165;

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
    // "WWW" and the memory lines of a machine with a terabyte take all the room there is.
    {IDC_ABOUT_WWW, "STATIC", SS_LEFTNOWORDWRAP, 0, 34, 80, 33, 12, true},
    {IDC_ABOUT_LINK, "STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, 0, 68, 79, 179, 12, true},
    {IDC_ABOUT_TOTAL_MEMORY, "STATIC", SS_LEFTNOWORDWRAP, 0, 12, 104, 265, 12, true},
    {IDC_ABOUT_FREE_MEMORY, "STATIC", SS_LEFTNOWORDWRAP, 0, 12, 121, 265, 12, true},
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
    : ModalDialog(instance, ShowAppErrorBox), services_(services) {}

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

void TAboutBox::OnDpiChanged(int dpi, const RECT& suggested) {
  ModalDialog::OnDpiChanged(dpi, suggested);
  ApplyDpi();
  InvalidateRect(Handle(), nullptr, TRUE);
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

void TAboutBox::ApplyDpi() {
  dpi_ = WindowDpi(Handle());
  const DpiScale px{dpi_};
  OwnedFont font = CreateUiFont(px(12));
  OwnedFont title_font = CreateFaceFont(shell_texts::kTitleFont, px(24));
  OwnedFont version_font = CreateFaceFont(shell_texts::kTitleFont, px(15));
  OwnedFont link_font = CreateUiFont(px(12), true);
  icon_ = OwnedIcon(LoadIconImage(Instance(), IDI_MORVELIN, px(kIconSize), px(kIconSize)));
  SetClientSize(Handle(), px(kClientWidth), px(kClientHeight), dpi_);
  for (const Place& place : kPlaces) {
    const int left = place.left + (place.in_panel ? kPanelLeft : 0);
    const int top = place.top + (place.in_panel ? kPanelTop : 0);
    HWND control = GetDlgItem(Handle(), place.id);
    SetWindowPos(control, nullptr, px(left), px(top), px(left + place.width) - px(left),
                 px(top + place.height) - px(top), SWP_NOZORDER | SWP_NOACTIVATE);
    const OwnedFont& chosen = place.id == IDC_ABOUT_VERSION ? version_font
                              : place.id == IDC_ABOUT_LINK  ? link_font
                                                            : font;
    UseFont(control, chosen.Get());
  }
  // A face wider than the one the places were drawn for would run "WWW" into the address.
  HWND www = GetDlgItem(Handle(), IDC_ABOUT_WWW), link = GetDlgItem(Handle(), IDC_ABOUT_LINK);
  SIZE www_text{};
  if (const WindowDc dc(www); dc) {
    const SelectedObject chosen(dc.Get(), font.Get());
    GetTextExtentPoint32A(dc.Get(), shell_texts::kWww,
                          static_cast<int>(std::strlen(shell_texts::kWww)), &www_text);
  }
  RECT www_place{}, link_place{};
  GetWindowRect(www, &www_place);
  GetWindowRect(link, &link_place);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&www_place), 2);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&link_place), 2);
  const int link_left = static_cast<int>(www_place.left + www_text.cx) + px(4);
  if (link_place.left < link_left)
    SetWindowPos(link, nullptr, link_left, link_place.top, link_place.right - link_left,
                 link_place.bottom - link_place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  font_ = std::move(font);
  title_font_ = std::move(title_font);
  version_font_ = std::move(version_font);
  link_font_ = std::move(link_font);
}

void TAboutBox::FormCreate() {
  black_brush_ = OwnedGdiObject(CreateSolidBrush(RGB(0, 0, 0)));
  SetWindowTextA(Handle(), shell_texts::kAboutCaption);
  for (const Place& place : kPlaces) {
    HWND control = CreateWindowExA(
        place.ex_style, place.window_class, "", WS_CHILD | WS_VISIBLE | place.style, 0, 0, 0, 0,
        Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), Instance(), nullptr);
    if (!control) throw AppError(std::string(shell_texts::kAboutCaption));
  }
  ApplyDpi();
  CentreWindowOnScreen(Handle());
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
  const DpiScale px{dpi_};
  RECT panel{px(kPanelLeft), px(kPanelTop), px(kPanelLeft + kPanelWidth),
             px(kPanelTop + kPanelHeight)};
  DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
  // The bevel line stays two pixels high: a one-pixel dark and a one-pixel light edge.
  const int bevel_top = px(kPanelTop + 97);
  RECT bevel{px(kPanelLeft + 13), bevel_top, px(kPanelLeft + 13 + 255), bevel_top + 2};
  DrawEdge(dc, &bevel, BDR_SUNKENOUTER, BF_RECT);
  if (icon_.Get())
    DrawIconEx(dc, px(kPanelLeft + 14), px(kPanelTop + 13), icon_.Get(), px(kIconSize),
               px(kIconSize), 0, nullptr, DI_NORMAL);
  {
    // The title: black letters, and white ones one pixel up and left above them.
    const SelectedObject title_font(dc, title_font_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, px(kPanelLeft + 53), px(kPanelTop + 12), texts::kAppTitle, 8);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, px(kPanelLeft + 53) - px(1), px(kPanelTop + 12) - px(1), texts::kAppTitle, 8);
  }
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
