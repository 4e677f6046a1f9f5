#include "editing/win32/listing_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "resources/resource_ids.h"

namespace {

constexpr char kCaption[] = "Morvelin Listing";

// Polls the condition until it holds or a generous limit passes.
template <class Condition>
bool WaitFor(Condition condition, DWORD limit_ms = 20000) {
  const ULONGLONG end = GetTickCount64() + limit_ms;
  while (GetTickCount64() < end) {
    if (condition()) return true;
    // Keep this thread answering messages sent to it while the dialog's thread works.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  return condition();
}

LaunchItem Item(std::string title, std::string band, std::string once, bool enabled,
                std::string file, std::string args) {
  LaunchItem row;
  row.title = std::move(title);
  row.file = std::move(file);
  row.folder = "C:\\Tools";
  row.args = std::move(args);
  row.state = "0";
  row.band = std::move(band);
  row.once = std::move(once);
  row.enabled = enabled;
  return row;
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Saves what the screen shows of the window as a 24-bit bitmap file.
bool SaveWindowBitmap(HWND window, const std::string& path) {
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  std::vector<char> pixels(stride * static_cast<DWORD>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof(file), 1, out);
  std::fwrite(&info, sizeof(info), 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  return std::fclose(out) == 0;
}

class ListingDialogTest : public ::testing::Test {
 protected:
  void Open(const ListingPlacement& placement, HWND owner = nullptr) {
    closed = false;
    worker = std::thread([this, placement, owner] {
      ShowListingDialog(GetModuleHandleA(nullptr), owner, rows, placement);
      closed = true;
    });
    ASSERT_TRUE(WaitFor([&] {
      dialog = FindWindowA(nullptr, kCaption);
      return dialog && IsWindowVisible(dialog);
    })) << "the listing did not appear";
    list = GetDlgItem(dialog, IDC_LIST_VIEW1);
    ASSERT_NE(list, nullptr);
  }

  void TearDown() override {
    if (worker.joinable()) {
      if (!closed && dialog) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        Nudge();
      }
      worker.join();
    }
  }

  // Under Wine a posted message can wait in the queue until something else wakes the dialog's
  // thread; a sent no-op does.
  void Nudge() { SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr); }

  int ItemCount() { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

  std::string Cell(int item, int column) {
    char text[260] = {};
    LVITEMA lv{};
    lv.iSubItem = column;
    lv.pszText = text;
    lv.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
    return text;
  }

  std::vector<std::string> Column(int column) {
    std::vector<std::string> cells;
    for (int i = 0; i < ItemCount(); ++i) cells.push_back(Cell(i, column));
    return cells;
  }

  // A real click on the column's header: down and up at its centre.
  void ClickHeader(int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    RECT rect{};
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                             reinterpret_cast<LPARAM>(&rect)));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(header, WM_LBUTTONUP, 0, at);
    Nudge();
  }

  std::vector<LaunchItem> rows{
      Item("Beta", "09000000", "000/00", true, "b.exe", "/b"),
      Item("メモ帳", "23150000", "112/24", false, "C:\\Windows\\notepad.exe", "readme.txt"),
      SeparatorRow(),
      Item("-backup", "00002359", "000/00", true, "backup.exe", ""),
      Item("alpha", "07052359", "", true, "a.exe", ""),
  };
  std::thread worker;
  std::atomic<bool> closed{false};
  HWND dialog = nullptr;
  HWND list = nullptr;
};

TEST_F(ListingDialogTest, ShowsTheColumnsAndTheItemRowsOverTheMainWindow) {
  Open({40, 30, 460, 52, 19, 300, false});

  RECT rect{};
  GetWindowRect(dialog, &rect);
  EXPECT_EQ(rect.left, 40);
  EXPECT_EQ(rect.top, 30 + 52 + 19 + 4);
  EXPECT_EQ(rect.right - rect.left, 460);
  EXPECT_EQ(rect.bottom - rect.top, 300);

  const char* headers[] = {"ﾀｲﾄﾙ", "状態", "Start", "End", "1回", "ﾌｧｲﾙ名", "引数", "起動条件"};
  const int widths[] = {120, 40, 44, 44, 40, 112, 52, 100};
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 8);
  for (int i = 0; i < 8; ++i) {
    char text[64] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof(text);
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(std::string(text), headers[i]) << "column " << i;
    EXPECT_EQ(column.cx, widths[i]) << "column " << i;
  }

  ASSERT_EQ(ItemCount(), 3);
  const std::vector<std::vector<std::string>> expected{
      {"Beta", "○", "09:00", "00:00", " ", "b.exe", "/b"},
      {"メモ帳", "×", "23:15", "00:00", "○", "C:\\Windows\\notepad.exe", "readme.txt"},
      {"alpha", "○", "07:05", "23:59", "○", "a.exe", ""},
  };
  for (int item = 0; item < 3; ++item) {
    for (int column = 0; column < 7; ++column) {
      EXPECT_EQ(Cell(item, column),
                expected[static_cast<size_t>(item)][static_cast<size_t>(column)])
          << "item " << item << " column " << column;
    }
  }

  // Leave a picture of the dialog for a person to look at.
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const std::string screens = ExeFolder() + "screens";
  CreateDirectoryA(screens.c_str(), nullptr);
  EXPECT_TRUE(SaveWindowBitmap(dialog, screens + "\\listing_dialog.bmp"));
}

TEST_F(ListingDialogTest, OpensInViewUnderAMainWindowThatShowsOnlyItsTop) {
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  // The main window's top 60 pixels show above the screen's bottom edge; the listing, placed
  // below its bars, would start under that edge.
  const int main_top = static_cast<int>(work.bottom) - 60;
  Open({40, main_top, 460, 52, 19, 300, false});
  RECT rect{};
  GetWindowRect(dialog, &rect);
  EXPECT_EQ(rect.right - rect.left, 460);
  EXPECT_EQ(rect.bottom - rect.top, 300);
  EXPECT_EQ(rect.left, 40);
  EXPECT_GE(rect.top, work.top);
  EXPECT_LE(rect.bottom, work.bottom);
}

TEST_F(ListingDialogTest, IsAResizableTopmostReadOnlyWindowWithOnlyACloseBox) {
  Open({0, 0, 400, 200, 10, 250, true});

  const LONG style = GetWindowLongA(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);

  const LONG list_style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(list_style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(list_style & LVS_EDITLABELS);
  EXPECT_FALSE(list_style & WS_TABSTOP);

  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -13);
  EXPECT_EQ(std::string(font.lfFaceName), "ＭＳ Ｐゴシック");
  LOGFONTA dialog_font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof(dialog_font),
             &dialog_font);
  EXPECT_EQ(std::string(dialog_font.lfFaceName), "ＭＳ Ｐゴシック");
  EXPECT_EQ(dialog_font.lfHeight, -12);

  // Centred on the screen with the size it would have over the main window.
  RECT rect{};
  GetWindowRect(dialog, &rect);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 250);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 250) / 2);

  // The list fills the window as it is resized.
  SetWindowPos(dialog, nullptr, 0, 0, 520, 330, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_TRUE(WaitFor([&] {
    RECT list_rect{};
    GetWindowRect(list, &list_rect);
    return list_rect.right - list_rect.left == client.right &&
           list_rect.bottom - list_rect.top == client.bottom;
  })) << "the list did not follow the window's size";
}

TEST_F(ListingDialogTest, HeaderClicksSortEachColumnAscendingThenDescending) {
  Open({10, 10, 500, 30, 20, 300, false});
  ASSERT_EQ(Column(0), (std::vector<std::string>{"Beta", "メモ帳", "alpha"}));

  ClickHeader(2);  // Start
  EXPECT_TRUE(WaitFor([&] {
    return Column(2) == std::vector<std::string>{"07:05", "09:00", "23:15"};
  })) << Column(2)[0];
  ClickHeader(2);
  EXPECT_TRUE(WaitFor([&] {
    return Column(2) == std::vector<std::string>{"23:15", "09:00", "07:05"};
  })) << Column(2)[0];
  EXPECT_EQ(Column(0), (std::vector<std::string>{"メモ帳", "Beta", "alpha"}));

  // Titles sort ascending on their first click, ignoring case.
  ClickHeader(0);
  EXPECT_TRUE(WaitFor([&] { return Column(0)[0] == "alpha"; })) << Column(0)[0];
  EXPECT_EQ(Column(0), (std::vector<std::string>{"alpha", "Beta", "メモ帳"}));
  EXPECT_EQ(Column(5), (std::vector<std::string>{"a.exe", "b.exe", "C:\\Windows\\notepad.exe"}));
}

TEST_F(ListingDialogTest, IsModalAndEscapeClosesAndDestroysIt) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  Open({10, 10, 500, 30, 20, 300, false}, owner);
  EXPECT_FALSE(IsWindowEnabled(owner));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
  // Though no Tab stop, the table has the focus, so the arrow keys scroll it at once.
  GUITHREADINFO focus{};
  focus.cbSize = sizeof focus;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus));
  EXPECT_EQ(focus.hwndFocus, list);

  PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0);
  Nudge();
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); })) << "Escape did not hide it";
  EXPECT_TRUE(WaitFor([&] { return closed.load(); })) << "Escape did not close the listing";
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST(UserLocaleText, ComparesIgnoringCaseAsMinusOneZeroOrOne) {
  EXPECT_EQ(CompareUserLocaleText("abc", "ABC"), 0);
  EXPECT_EQ(CompareUserLocaleText("alpha", "Beta"), -1);
  EXPECT_EQ(CompareUserLocaleText("Gamma", "beta"), 1);
  EXPECT_EQ(CompareUserLocaleText("", "a"), -1);
}

}  // namespace
