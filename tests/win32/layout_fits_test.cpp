// Every window the program shows, walked control by control at the display's DPI: nothing
// outside its parent, no two siblings on top of each other, every caption and number whole in
// its own font, every list column as wide as its header. The walk knows no control by name, so
// new pages and fields are checked as they come. run-at-dpi runs it at each DPI in a prefix of
// its own and keeps the screenshots.

#include "e2e/e2e_support.h"
#include "editing/win32/item_list_pane.h"
// The shared support brings windows.h and the common controls in the order they need.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "core/texts.h"
#include "editing/win32/item_dialog_view.h"
#include "editing/win32/listing_dialog.h"
#include "logon/win32/history_window.h"
#include "platform/win32/dpi.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_memory_status.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_shell.h"
#include "resources/resource_ids.h"
#include "settings_window/win32/main_window.h"
#include "shell/win32/about_box_window.h"
#include "takeover/win32/takeover_page.h"

using namespace e2e;

namespace {

RECT Place(HWND w, HWND parent) {
  RECT r = WindowRect(w);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The text's extent in the control's own font.
SIZE Extent(HWND control, const std::string& text, UINT flags = 0) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT r{};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | flags);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{r.right, r.bottom};
}

HWND BuddyOf(HWND w) {
  return reinterpret_cast<HWND>(ClassNameOf(w) == UPDOWN_CLASSA ? SendOrZero(w, UDM_GETBUDDY, 0, 0)
                                                                : 0);
}

// Group boxes, tab controls and bare panels (statics without a text) lie behind their controls.
bool Backdrop(HWND w) {
  const std::string kind = ClassNameOf(w);
  return kind == WC_TABCONTROLA || (kind == "Static" && TextOf(w).empty()) ||
         (kind == "Button" && (GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX);
}

// What does not fit among the visible children of `parent`, and theirs.
void Walk(HWND parent, int dpi, std::vector<std::string>& faults) {
  std::vector<HWND> shown;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (IsWindowVisible(c)) shown.push_back(c);
  RECT room{};
  GetClientRect(parent, &room);
  for (HWND c : shown) {
    const std::string kind = ClassNameOf(c), name = kind + " \"" + TextOf(c) + "\": ";
    const LONG style = GetWindowLongA(c, GWL_STYLE), type = style & BS_TYPEMASK;
    const RECT r = Place(c, parent);
    RECT client{};
    GetClientRect(c, &client);
    if (r.left < 0 || r.top < 0 || r.right > room.right || r.bottom > room.bottom)
      faults.push_back(name + "outside its parent");
    // A caption in its own font, beside the box of a check box or inside a button's edges.
    const bool button = kind == "Button" && type != BS_GROUPBOX,
               check = button && type >= BS_CHECKBOX;
    const int inset = check ? SystemMetricForDpi(SM_CXMENUCHECK, dpi) + Scale(3, dpi)
                            : button * 2 * SystemMetricForDpi(SM_CXEDGE, dpi);
    const SIZE text =
        Extent(c, TextOf(c), kind == "Static" && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    if ((button || (kind == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT)) &&
        (text.cx > client.right - inset || text.cy > client.bottom))
      faults.push_back(name + "caption of " + std::to_string(text.cx) + "x" +
                       std::to_string(text.cy));
    // A number field (digits only, or an up-down's buddy) shows its widest value and the caret.
    bool number = kind == "Edit" && (style & ES_NUMBER);
    for (HWND s : shown) number = number || BuddyOf(s) == c;
    const auto digits = static_cast<size_t>(SendMessageA(c, EM_GETLIMITTEXT, 0, 0));
    const auto margins = static_cast<DWORD>(SendMessageA(c, EM_GETMARGINS, 0, 0));
    for (char d = '0'; number && digits <= 10 && d <= '9'; ++d)
      if (Extent(c, std::string(digits, d)).cx + LOWORD(margins) + HIWORD(margins) + Scale(1, dpi) >
          client.right)
        faults.push_back(name + "cannot show " + std::string(digits, d));
    // A list's columns hold their headers with the header's margins.
    HWND header =
        kind == WC_LISTVIEWA ? reinterpret_cast<HWND>(SendOrZero(c, LVM_GETHEADER, 0, 0)) : nullptr;
    const std::vector<std::string> titles =
        header && IsWindowVisible(header) ? HeaderTexts(header) : std::vector<std::string>{};
    for (size_t i = 0; i < titles.size(); ++i) {
      RECT column{};
      HeaderItemRect(header, static_cast<int>(i), &column);
      if (column.right - column.left <
          Extent(header, titles[i]).cx + 2 * SendOrZero(header, HDM_GETBITMAPMARGIN, 0, 0))
        faults.push_back(name + "column " + titles[i] + " is too narrow");
    }
    // The last column holds its widest cell with the padding the list gives a column it fits.
    RECT last{};
    for (int row = 0, n = int(titles.size()) - 1; n >= 0 && row < ListCount(c); ++row)
      if (HeaderItemRect(header, n, &last) &&
          last.right - last.left <
              12 + SendOrZero(c, LVM_GETSTRINGWIDTHA, 0, LPARAM(ListText(c, row, n).c_str())))
        faults.push_back(name + "last column cuts " + ListText(c, row, n));
    for (HWND other : shown) {
      RECT a = r, b = Place(other, parent), both{};
      if (other < c && IntersectRect(&both, &a, &b) && !Backdrop(c) && !Backdrop(other) &&
          BuddyOf(c) != other && BuddyOf(other) != c)
        faults.push_back(name + "overlaps " + ClassNameOf(other) + " \"" + TextOf(other) + "\"");
      // A left-aligned text ends short of a text beside it.
      if (kind == "Static" && (style & SS_TYPEMASK) != SS_RIGHT && ClassNameOf(other) == kind &&
          !TextOf(c).empty() && !TextOf(other).empty() && b.left > r.left && b.top < r.bottom &&
          r.top < b.bottom && r.left + text.cx + Scale(3, dpi) > b.left)
        faults.push_back(name + "runs into \"" + TextOf(other) + "\"");
    }
    Walk(c, dpi, faults);
  }
}

// Walks the window and keeps its picture where the run asks for them.
std::string Check(HWND window, int dpi, const std::string& name) {
  std::vector<std::string> faults;
  Walk(window, dpi, faults);
  std::string all;
  for (const std::string& f : faults)
    all += name + " at " + std::to_string(dpi) + " dpi: " + f + "\n";
  if (const char* folder = std::getenv("MORVELIN_SCREENSHOTS")) {
    e2e::Settings() = {std::to_string(dpi) + "dpi", "", folder};
    if (!e2e::SaveScreenshot(name, window)) all += "no screenshot of " + name + "\n";
  }
  return all;
}

// Each hint the pointer brings up, over every control and tool button, is read whole in the
// status bar, or else in a tool tip of its own.
std::string HintsCut(::MainWindow& window, int dpi) {
  HWND status = GetDlgItem(window.Handle(), IDC_STATUS_BAR);
  RECT panel{};
  SendMessageA(status, SB_GETRECT, 1, LPARAM(&panel));
  std::string cut;
  for (HWND c : FindControls(window.Handle(), nullptr)) {
    const LRESULT buttons =
        ClassNameOf(c) == TOOLBARCLASSNAMEA ? SendOrZero(c, TB_BUTTONCOUNT, 0, 0) : 0;
    for (LRESULT b = -1; b < buttons && IsWindowVisible(c); ++b) {  // -1: the control itself
      RECT r = WindowRect(c);
      if (b >= 0 && SendMessageA(c, TB_GETITEMRECT, b, LPARAM(&r)))
        MapWindowPoints(c, nullptr, (POINT*)&r, 2);
      MSG move{c, WM_MOUSEMOVE, 0, 0, 0, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}};
      window.PreTranslateMessage(move);
      char text[1024] = {};
      TTTOOLINFOA tool{
          sizeof tool, TTF_IDISHWND, GetAncestor(c, GA_ROOT), UINT_PTR(c), {}, nullptr, text,
          0,           nullptr};
      bool tip = false;
      for (HWND t : TopWindows(TOOLTIPS_CLASSA, GetCurrentProcessId(), false))
        tip = tip || SendOrZero(t, TTM_GETTOOLINFOA, 0, LPARAM(&tool));
      if (!tip && Extent(status, window.HintText()).cx + Scale(4, dpi) +
                          SystemMetricForDpi(SM_CXVSCROLL, dpi) >
                      panel.right - panel.left)
        cut += window.HintText() + "\n";
    }
  }
  return cut;
}

// Pixels of the magenta that marks the tool images' background, seen over white.
int MagentaPixels(HWND window) {
  int found = 0, size = 0;
  HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
  for (HWND bar : FindControls(window, TOOLBARCLASSNAMEA)) {
    const auto images = reinterpret_cast<HIMAGELIST>(SendOrZero(bar, TB_GETIMAGELIST, 0, 0));
    ImageList_GetIconSize(images, &size, &size);
    const HGDIOBJ old = SelectObject(dc, CreateCompatibleBitmap(screen, size, size));
    for (int i = 0; i < ImageList_GetImageCount(images); ++i) {
      PatBlt(dc, 0, 0, size, size, WHITENESS);
      ImageList_Draw(images, i, dc, 0, 0, ILD_TRANSPARENT);
      for (int p = 0; p < size * size; ++p) {
        const COLORREF c = GetPixel(dc, p % size, p / size);
        found += GetRValue(c) > GetGValue(c) + 64 && GetBValue(c) > GetGValue(c) + 64;
      }
    }
    DeleteObject(SelectObject(dc, old));
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return found;
}

class LayoutFits : public ::testing::Test {
 protected:
  HINSTANCE instance = GetModuleHandleA(nullptr);
  int dpi = WindowDpi(nullptr);
};

TEST_F(LayoutFits, MainWindowOnEveryPageAndAfterMovingToAnotherDpi) {
  ::MainWindow window(instance);
  ItemListPane pane(window);
  window.SetListPane(&pane);
  // The start-up entries page with rows of every kind of mark, so its columns are measured too.
  TakeoverPage takeover_page;
  TakeoverPage::Handlers handlers;
  handlers.list = [] {
    TakeoverEntry own, shared;
    own.place = EntryPlace::UserStartup;
    own.name = "Morvelin.lnk";
    own.command = "C:\\Morvelin\\morvelin.exe /N";
    own.own = true;
    shared.place = EntryPlace::MachineRun;
    shared.name = "Updater";
    shared.command = "\"C:\\Program Files\\u.exe\" /q";
    shared.read_only = shared.duplicate = true;
    return std::vector<TakeoverEntry>{own, shared};
  };
  takeover_page.SetHandlers(handlers);
  window.AddPage(&takeover_page);
  window.Create();
  std::vector<LaunchItem> rows(12);
  for (size_t i = 0; i < rows.size(); ++i)
    rows[i] = LaunchItem{"ﾒﾓ帳 " + std::to_string(i), "", "", "", "", "", "", "", i % 2 == 0};
  window.ShowItems(rows);
  // A first start: the stored size is the 96-dpi default, the frame grows with the DPI, and the
  // size goes back to be stored as it came.
  window.ShowSettings(AppSettings{});
  window.Show();
  const RECT frame = Place(window.Handle(), nullptr);
  EXPECT_GE(frame.right - frame.left, Scale(485 - 16, dpi));
  EXPECT_EQ(window.Settings().width, AppSettings{}.width);
  EXPECT_EQ(window.Settings().height, AppSettings{}.height);
  HWND tabs = GetDlgItem(window.Handle(), IDC_PAGE_CONTROL),
       list = GetDlgItem(window.Handle(), IDC_T_LIST_BOX);
  const auto walk_pages = [&](int at, const std::string& shots) {
    for (int page = 0; page < TabCtrl_GetItemCount(tabs); ++page) {
      TabCtrl_SetCurSel(tabs, page);
      NMHDR change{tabs, IDC_PAGE_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
      SendMessageA(window.Handle(), WM_NOTIFY, IDC_PAGE_CONTROL, reinterpret_cast<LPARAM>(&change));
      WaitUntil([] { return true; });
      EXPECT_EQ(Check(window.Handle(), at, shots + std::to_string(page + 1)), "");
      EXPECT_EQ(HintsCut(window, at), "") << "page " << page + 1;
    }
    EXPECT_EQ(MagentaPixels(window.Handle()), 0) << at << " dpi";
    // The title list's rows are as tall as their font and check boxes need.
    RECT first{}, second{};
    ListView_GetItemRect(list, 0, &first, LVIR_BOUNDS);
    ListView_GetItemRect(list, 1, &second, LVIR_BOUNDS);
    EXPECT_GE(second.top - first.top, Scale(ListPane::kRowHeight, at)) << at << " dpi";
  };
  walk_pages(dpi, "main-window-page-");
  // Moved to a monitor of another DPI, it takes the suggested size and lays itself out again;
  // from 192 dpi down to 96, where Wine keeps the bars at the system's DPI.
  const int other = dpi >= 192 ? dpi / 2 : dpi * 3 / 2;
  const RECT suggested{0, 0, MulDiv(frame.right - frame.left, other, dpi),
                       MulDiv(frame.bottom - frame.top, other, dpi)};
  SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(Place(window.Handle(), nullptr).right, suggested.right);
  walk_pages(other, "after-dpi-change-page-");
}

TEST_F(LayoutFits, DialogsAndMessageBoxes) {
  Win32Clock clock;
  Win32MemoryStatus memory;
  Win32FreeResources resources;
  Win32Shell shell;
  std::vector<LaunchItem> rows(
      3, LaunchItem{"ﾃｽﾄ", "C:\\Program Files\\tool.exe", "", "", "", "", "", "", true});
  rows[1].timing = {3600, 0x3F, true};  // the longest start condition
  ItemDialogFields port;
  port.condition.kind = ConditionKind::PortOpen;
  struct Case {
    std::string name;
    std::function<void()> show;
    int close;
  } cases[] = {
      {"item-dialog",  // waiting for a port: every field enabled, and the longest hint
       [&] { Win32ItemDialogRunner(instance, nullptr, clock).Run(port); }, IDCANCEL},
      {"listing",
       [&] {
         ShowListingDialog(
             instance, nullptr, rows,
             {0, 0, Scale(485, dpi), Scale(52, dpi), Scale(20, dpi), Scale(240, dpi), true});
       },
       IDCANCEL},
      {"about-box",
       [&] {
         ShowAboutBox(instance, nullptr, {memory, resources, shell, nullptr});
       },
       IDOK},
      {"restart-question",
       [] {
         Win32MessageBoxes().Show(texts::kAppTitle, BoxIcon::Question, BoxButtons::YesNoDefaultNo,
                                  texts::kRestartQuestion);
       },
       IDNO},
  };
  for (const Case& c : cases) {
    std::thread worker(c.show);
    HWND shown = nullptr;
    // The about box is walked once its memory lines carry their figures.
    EXPECT_TRUE(WaitUntil([&] {
      const std::vector<HWND> windows = TopWindows("#32770", GetCurrentProcessId(), true);
      shown = windows.empty() ? nullptr : windows.front();
      const std::string memory_line = TextOf(GetDlgItem(shown, IDC_ABOUT_FREE_MEMORY));
      return shown && (c.name != "about-box" ||
                       memory_line.find_first_of("0123456789") != std::string::npos);
    })) << c.name;
    EXPECT_EQ(shown ? Check(shown, WindowDpi(shown), c.name) : "not shown", "");
    PostMessageA(shown, WM_COMMAND, c.close, 0);
    worker.join();
  }
}

TEST_F(LayoutFits, LogOnHistoryWindowWithAndWithoutAHistory) {
  LogOnTimeline last{"2026/12/01 08:00:00", 61000, {}};
  for (int i = 0; i < 12; ++i)
    last.rows.push_back({"ﾊﾞｯｸｱｯﾌﾟ ﾂｰﾙ " + std::to_string(i), i * 1000, i * 2000, i * 5000, i * 300,
                         i % 3 ? "" : "C:\\ﾈｯﾄﾜｰｸ"});
  LogOnHistoryWindow window(instance);
  for (const auto& [name, history] :
       {std::pair{std::string("history-window"), std::vector<LogOnTimeline>(30, last)},
        std::pair{std::string("history-window-empty"), std::vector<LogOnTimeline>{}}}) {
    window.Show(nullptr, history);
    WaitUntil([] { return true; });
    EXPECT_EQ(Check(window.Handle(), dpi, name), "");
  }
  // Moved to a monitor of another DPI, it lays itself out again in the suggested size.
  window.Show(nullptr, {last});
  const int other = dpi >= 192 ? dpi / 2 : dpi * 3 / 2;
  const RECT frame = Place(window.Handle(), nullptr);
  const RECT suggested{0, 0, MulDiv(frame.right - frame.left, other, dpi),
                       MulDiv(frame.bottom - frame.top, other, dpi)};
  SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
               reinterpret_cast<LPARAM>(&suggested));
  WaitUntil([] { return true; });
  EXPECT_EQ(Check(window.Handle(), other, "history-window-after-dpi-change"), "");
}

}  // namespace
