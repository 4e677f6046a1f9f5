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
#include "platform/win32/dpi.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_memory_status.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_shell.h"
#include "resources/resource_ids.h"
#include "shell/win32/about_box_window.h"
#include "shell/win32/startup_page.h"

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
    for (HWND other : shown) {
      RECT a = r, b = Place(other, parent), both{};
      if (other < c && IntersectRect(&both, &a, &b) && !Backdrop(c) && !Backdrop(other) &&
          BuddyOf(c) != other && BuddyOf(other) != c)
        faults.push_back(name + "overlaps " + ClassNameOf(other) + " \"" + TextOf(other) + "\"");
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
  StartupPage startup_page;
  StartupPage::Handlers handlers;
  handlers.list = [] {
    StartupEntry own, shared;
    own.place = EntryPlace::UserStartup;
    own.name = "Morvelin.lnk";
    own.command = "C:\\Morvelin\\morvelin.exe /N";
    own.own = true;
    shared.place = EntryPlace::MachineRun;
    shared.name = "Updater";
    shared.command = "\"C:\\Program Files\\u.exe\" /q";
    shared.read_only = shared.duplicate = true;
    return std::vector<StartupEntry>{own, shared};
  };
  startup_page.SetHandlers(handlers);
  window.AddPage(&startup_page);
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
    }
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
  const std::vector<LaunchItem> rows(
      3, LaunchItem{"ﾃｽﾄ", "C:\\Program Files\\tool.exe", "", "", "", "", "", "", true});
  struct Case {
    std::string name;
    std::function<void()> show;
    int close;
  } cases[] = {
      {"item-dialog",
       [&] { Win32ItemDialogRunner(instance, nullptr, clock).Run(ItemDialogFields{}); }, IDCANCEL},
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

}  // namespace
