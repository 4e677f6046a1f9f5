// Every window the program shows, walked control by control at the display's DPI: nothing
// outside its parent, no two siblings on top of each other, every caption and number whole in
// its own font, every list column as wide as its header. The walk knows no control by name, so
// new pages and fields are checked as they come. run-at-dpi runs it at each DPI in a prefix of
// its own and keeps the screenshots.

#include <windows.h>

#include "editing/win32/item_list_pane.h"
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/wait_and_files.h"
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

namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

LONG StyleOf(HWND window) {
  return GetWindowLongA(window, GWL_STYLE);
}

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Pump(const std::function<bool()>& condition) {
  const ULONGLONG end = GetTickCount64() + 20000;
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// The extent of a text in the control's own font, as the control draws it.
SIZE TextExtent(HWND control, const std::string& text, UINT flags = DT_SINGLELINE) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT r{};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | flags);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool IsButtonOfKind(HWND w, std::initializer_list<LONG> kinds) {
  if (ClassOf(w) != "Button") return false;
  return std::find(kinds.begin(), kinds.end(), StyleOf(w) & BS_TYPEMASK) != kinds.end();
}

// Overlap that is by design: a group box, a tab control or a bare panel (a static without a
// text) behind its controls, an up-down on its buddy.
bool MayOverlap(HWND a, HWND b) {
  for (HWND w : {a, b})
    if (IsButtonOfKind(w, {BS_GROUPBOX}) || ClassOf(w) == WC_TABCONTROLA ||
        (ClassOf(w) == "Static" && TextOf(w).empty()))
      return true;
  const auto buddy = [](HWND up_down, HWND other) {
    return ClassOf(up_down) == UPDOWN_CLASSA &&
           reinterpret_cast<HWND>(SendMessageA(up_down, UDM_GETBUDDY, 0, 0)) == other;
  };
  return buddy(a, b) || buddy(b, a);
}

// The room a caption has inside its control.
int CaptionRoom(HWND control, int dpi) {
  RECT client{};
  GetClientRect(control, &client);
  if (IsButtonOfKind(control, {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, BS_AUTORADIOBUTTON,
                               BS_3STATE, BS_AUTO3STATE}))
    return client.right - SystemMetricForDpi(SM_CXMENUCHECK, dpi) - Scale(3, dpi);
  if (IsButtonOfKind(control, {BS_PUSHBUTTON, BS_DEFPUSHBUTTON}))
    return client.right - 2 * SystemMetricForDpi(SM_CXEDGE, dpi);
  return client.right;
}

void CheckControl(HWND control, int dpi, std::vector<std::string>& faults) {
  const std::string name = ClassOf(control) + " \"" + TextOf(control) + "\" (id " +
                           std::to_string(GetDlgCtrlID(control)) + ")";
  const std::string kind = ClassOf(control);
  const bool captioned =
      (kind == "Static" && (StyleOf(control) & SS_TYPEMASK) <= SS_RIGHT) ||
      IsButtonOfKind(control, {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_CHECKBOX, BS_AUTOCHECKBOX,
                               BS_RADIOBUTTON, BS_AUTORADIOBUTTON, BS_3STATE, BS_AUTO3STATE});
  const std::string caption = TextOf(control);
  if (captioned && !caption.empty()) {
    const UINT prefix = kind == "Static" && (StyleOf(control) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    const SIZE text = TextExtent(control, caption, DT_SINGLELINE | prefix);
    RECT client{};
    GetClientRect(control, &client);
    if (text.cx > CaptionRoom(control, dpi) || text.cy > client.bottom)
      faults.push_back(
          name + ": caption " + std::to_string(text.cx) + "x" + std::to_string(text.cy) + " in " +
          std::to_string(CaptionRoom(control, dpi)) + "x" + std::to_string(client.bottom));
  }
  // A number field: an edit for digits only or an up-down's buddy shows its widest value and
  // the caret.
  bool numeric = kind == "Edit" && (StyleOf(control) & ES_NUMBER);
  for (HWND s = GetWindow(control, GW_HWNDFIRST); kind == "Edit" && s;
       s = GetWindow(s, GW_HWNDNEXT))
    numeric = numeric || (ClassOf(s) == UPDOWN_CLASSA &&
                          reinterpret_cast<HWND>(SendMessageA(s, UDM_GETBUDDY, 0, 0)) == control);
  const auto digits = static_cast<size_t>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0));
  if (numeric && digits <= 10) {
    int widest = 0;
    for (char d = '0'; d <= '9'; ++d)
      widest = std::max(widest, static_cast<int>(TextExtent(control, std::string(digits, d)).cx));
    const LRESULT margins = SendMessageA(control, EM_GETMARGINS, 0, 0);
    RECT client{};
    GetClientRect(control, &client);
    const int room = client.right - LOWORD(margins) - HIWORD(margins) - Scale(1, dpi);
    if (widest > room)
      faults.push_back(name + ": " + std::to_string(digits) + " digits need " +
                       std::to_string(widest) + " of " + std::to_string(room));
  }
  // A list's columns are at least as wide as their headers' texts with the header's margins.
  if (kind == WC_LISTVIEWA && !(StyleOf(control) & LVS_NOCOLUMNHEADER)) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(control, LVM_GETHEADER, 0, 0));
    const int margin = static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[128] = {};
      HDITEMA item{};
      item.mask = HDI_TEXT | HDI_WIDTH;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
      const int needed = TextExtent(header, text).cx + 2 * margin;
      if (item.cxy < needed)
        faults.push_back(name + ": column \"" + text + "\" " + std::to_string(item.cxy) +
                         " wide, its header needs " + std::to_string(needed));
    }
  }
}

// Walks the visible children of `parent`, and theirs, collecting what does not fit.
void Walk(HWND parent, int dpi, std::vector<std::string>& faults) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (IsWindowVisible(c)) children.push_back(c);
  RECT client{};
  GetClientRect(parent, &client);
  for (HWND child : children) {
    const RECT r = RectInParent(child);
    const std::string name = ClassOf(child) + " \"" + TextOf(child) + "\" (id " +
                             std::to_string(GetDlgCtrlID(child)) + ")";
    if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
      faults.push_back(name + " lies outside its parent's " + std::to_string(client.right) + "x" +
                       std::to_string(client.bottom));
    CheckControl(child, dpi, faults);
    Walk(child, dpi, faults);
  }
  for (size_t i = 0; i < children.size(); ++i)
    for (size_t j = i + 1; j < children.size(); ++j) {
      RECT a = RectInParent(children[i]), b = RectInParent(children[j]), both{};
      if (IntersectRect(&both, &a, &b) && !MayOverlap(children[i], children[j]))
        faults.push_back(ClassOf(children[i]) + " \"" + TextOf(children[i]) + "\" overlaps " +
                         ClassOf(children[j]) + " \"" + TextOf(children[j]) + "\"");
    }
}

// Keeps a picture of the window for a person to look at, when the run asks for them.
void KeepScreenshot(HWND window, const std::string& name) {
  const char* folder = std::getenv("MORVELIN_SCREENSHOTS");
  if (!folder || !*folder) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{};
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) / 4 * 4;
  std::string pixels(stride * static_cast<DWORD>(height), '\0');
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info + pixels.size()), 0, 0,
                        sizeof file + sizeof info};
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info).append(pixels);
  const std::string path = std::string(folder) + "\\" + name + ".bmp";
  ASSERT_TRUE(WriteFileBytes(path, bytes)) << path;
  std::printf("screenshot: %s\n", path.c_str());
}

std::string Faults(const std::vector<std::string>& faults) {
  std::string all;
  for (const std::string& f : faults) all += f + "\n";
  return all;
}

// The first visible window a thread shows.
HWND ShownBy(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(
      thread,
      [](HWND w, LPARAM out) {
        if (!IsWindowVisible(w) || ClassOf(w) == TOOLTIPS_CLASSA) return TRUE;
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Opens a window with `show` on a thread of its own, waits until `ready` holds for it, walks
// it, keeps its picture and ends it with the command `close`.
std::vector<std::string> WalkModal(const std::function<void()>& show, const std::string& name,
                                   int close, const std::function<bool(HWND)>& ready = nullptr) {
  std::atomic<DWORD> thread = 0;
  std::thread worker([&] {
    thread = GetCurrentThreadId();
    show();
  });
  HWND window = nullptr;
  std::vector<std::string> faults;
  if (!Pump([&] { return thread && (window = ShownBy(thread)) && (!ready || ready(window)); }))
    faults.push_back(name + " did not show");
  if (window) {
    Walk(window, WindowDpi(window), faults);
    KeepScreenshot(window, name);
    PostMessageA(window, WM_COMMAND, close, 0);
  }
  worker.join();
  return faults;
}

class LayoutFits : public ::testing::Test {
 protected:
  HINSTANCE instance = GetModuleHandleA(nullptr);
  int dpi = WindowDpi(nullptr);
};

TEST_F(LayoutFits, MainWindowOnEveryPage) {
  MainWindow window(instance);
  ItemListPane pane(window);
  window.SetListPane(&pane);
  window.Create();
  std::vector<LaunchItem> rows(12);
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i].title = "ﾒﾓ帳 " + std::to_string(i + 1);
    rows[i].enabled = i % 2 == 0;
  }
  window.ShowItems(rows);
  window.Show();
  ASSERT_EQ(WindowDpi(window.Handle()), dpi);
  const auto size_of = [](HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  // At 96 dpi the frame keeps its size to the pixel; above, its client area grows with the DPI.
  const SIZE frame = size_of(window.Handle());
  EXPECT_TRUE(dpi != kBaseDpi || (frame.cx == 485 && frame.cy == 333));
  EXPECT_GE(frame.cx, Scale(485 - 16, dpi));
  EXPECT_GE(frame.cy, Scale(333 - 40, dpi));
  HWND tabs = GetDlgItem(window.Handle(), IDC_PAGE_CONTROL);
  HWND list = GetDlgItem(window.Handle(), IDC_T_LIST_BOX);
  const auto walk_pages = [&](int at, const std::string& shots) {
    const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_GE(pages, 2);
    for (int page = 0; page < pages; ++page) {
      SendMessageA(tabs, TCM_SETCURSEL, page, 0);
      NMHDR change{tabs, IDC_PAGE_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
      SendMessageA(window.Handle(), WM_NOTIFY, IDC_PAGE_CONTROL, reinterpret_cast<LPARAM>(&change));
      Pump([] { return true; });
      std::vector<std::string> faults;
      Walk(window.Handle(), at, faults);
      EXPECT_TRUE(faults.empty()) << "page " << page << " at " << at << " dpi:\n" << Faults(faults);
      if (!shots.empty()) KeepScreenshot(window.Handle(), shots + std::to_string(page + 1));
    }
    // The title list's rows hold their check boxes.
    RECT first{}, second{};
    ListView_GetItemRect(list, 0, &first, LVIR_BOUNDS);
    ListView_GetItemRect(list, 1, &second, LVIR_BOUNDS);
    EXPECT_GE(second.top - first.top, Scale(ListPane::kRowHeight, at)) << at << " dpi";
  };
  walk_pages(dpi, "main-window-page-");

  // Moved to a monitor of another DPI: the window takes the suggested size and lays itself out
  // again for that DPI.
  const int other = dpi == 192 ? 96 : 192;
  const RECT suggested{0, 0, MulDiv(frame.cx, other, dpi), MulDiv(frame.cy, other, dpi)};
  SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(size_of(window.Handle()).cx, suggested.right);
  walk_pages(other, "after-dpi-change-page-");
}

TEST_F(LayoutFits, DialogsAndBoxes) {
  Win32Clock clock;
  Win32MemoryStatus memory;
  Win32FreeResources resources;
  Win32Shell shell;
  LaunchItem row;
  row.title = "ﾃｽﾄ";
  row.file = "C:\\Program Files\\Tools\\tool.exe";
  const std::vector<LaunchItem> rows(3, row);
  // Over the item area of a main window of the 96-dpi size, grown with the DPI.
  const ListingPlacement placement{
      0, 0, Scale(485, dpi), Scale(52, dpi), Scale(20, dpi), Scale(240, dpi), true};
  const std::string memory_digits = "0123456789";
  struct Case {
    std::string name;
    std::function<void()> show;
    int close;
    std::function<bool(HWND)> ready = nullptr;
  } cases[] = {
      {"item-dialog",
       [&] { Win32ItemDialogRunner(instance, nullptr, clock).Run(ItemDialogFields{}); }, IDCANCEL},
      {"listing", [&] { ShowListingDialog(instance, nullptr, rows, placement); }, IDCANCEL},
      // Walked once the memory lines carry their figures.
      {"about-box",
       [&] {
         ShowAboutBox(instance, nullptr, AboutBoxServices{memory, resources, shell, nullptr});
       },
       IDOK,
       [&](HWND box) {
         return TextOf(GetDlgItem(box, IDC_ABOUT_FREE_MEMORY)).find_first_of(memory_digits) !=
                std::string::npos;
       }},
      {"restart-question",
       [] {
         Win32MessageBoxes().Show(texts::kAppTitle, BoxIcon::Question, BoxButtons::YesNoDefaultNo,
                                  texts::kRestartQuestion);
       },
       IDNO},
      {"message-box-ok-cancel",
       [] {
         Win32MessageBoxes().Show(texts::kAppTitle, BoxIcon::Warning, BoxButtons::OkCancel,
                                  texts::kRestartQuestion);
       },
       IDCANCEL},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> faults = WalkModal(c.show, c.name, c.close, c.ready);
    EXPECT_TRUE(faults.empty()) << c.name << " at " << dpi << " dpi:\n" << Faults(faults);
  }
}

}  // namespace
