// The real item dialog under Wine: opened on a worker thread over a main window of its own,
// driven from the test thread with window messages as a user's actions would arrive.

#include <gtest/gtest.h>
#include <windows.h>

#include "editing/win32/item_dialog_view.h"
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/texts.h"
#include "editing/item_dialog_texts.h"
#include "resources/resource_ids.h"

namespace {

constexpr DWORD kPatienceMs = 15000;

// Polls until the condition holds or the generous limit runs out.
template <typename Condition>
bool WaitFor(Condition condition) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > kPatienceMs) return false;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// A dialog ("#32770") of the given thread with the given caption.
HWND FindThreadDialog(DWORD thread, const std::string& caption) {
  struct Search {
    std::string caption;
    HWND found;
  } search{caption, nullptr};
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (IsWindowVisible(window) && ClassOf(window) == "#32770" &&
            TextOf(window) == s->caption) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindThreadWindowOfClass(DWORD thread, const std::string& class_name) {
  struct Search {
    std::string class_name;
    HWND found;
  } search{class_name, nullptr};
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (ClassOf(window) == s->class_name) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A control's rectangle within its dialog's client area.
RECT PlaceIn(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class TestClock : public Clock {
 public:
  LocalTime now{2026, 12, 7, 9, 5, 41};
  LocalTime Now() override { return now; }
};

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

// Builds the block the shell hands over when files are dropped: ANSI names, double NUL.
HGLOBAL MakeDrop(const std::vector<std::string>& files) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& f : files) size += f.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  char* names = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
  for (const std::string& f : files) {
    std::copy(f.begin(), f.end(), names);
    names += f.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string ExePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// What the screen shows of the window's client area, as 24-bit rows bottom-up.
std::vector<unsigned char> CaptureScreenOf(HWND window, int& width, int& height) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  width = r.right - r.left;
  height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const size_t stride = ((static_cast<size_t>(width) * 3 + 3) / 4) * 4;
  std::vector<unsigned char> pixels(stride * static_cast<size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Saves what the screen shows of the window once it has settled (two equal captures).
bool SaveWindowBitmap(HWND window, const std::string& path) {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
  const bool settled = WaitFor([&] {
    std::vector<unsigned char> next = CaptureScreenOf(window, width, height);
    const bool same = next == pixels;
    pixels = std::move(next);
    return same;
  });
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  bool written = false;
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&header, sizeof header, 1, out) == 1 &&
              std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    std::fclose(out);
  }
  return settled && written;
}

// The number of distinct colours the control shows on screen.
size_t ColoursShownBy(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  HDC dc = GetDC(control);
  std::set<COLORREF> colours;
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) colours.insert(GetPixel(dc, x, y));
  }
  ReleaseDC(control, dc);
  return colours.size();
}

// Visible top-level windows of other processes.
std::set<HWND> ForeignWindows() {
  std::set<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() && IsWindowVisible(window)) {
          reinterpret_cast<std::set<HWND>*>(data)->insert(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// A visible dialog of the thread other than the given one.
HWND FindOtherThreadDialog(DWORD thread, HWND except) {
  struct Search {
    HWND except;
    HWND found;
  } search{except, nullptr};
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (window != s->except && IsWindowVisible(window) && ClassOf(window) == "#32770") {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One showing of the dialog on a worker thread, over a main window of that thread.
class DialogSession {
 public:
  TestClock clock;
  HWND dialog = nullptr;
  HWND main = nullptr;
  DWORD thread = 0;
  std::optional<ItemDialogResult> result;
  bool main_iconic_after_close = true;

  // The main window stays hidden unless a test needs to see it minimised and restored (a
  // visible window takes Wine a while to destroy without a window manager).
  explicit DialogSession(const ItemDialogFields& initial, bool main_visible = false) {
    std::atomic<bool> main_created{false};
    worker_ = std::thread([this, initial, main_visible, &main_created] {
      thread = GetCurrentThreadId();
      WNDCLASSA window_class{};
      window_class.lpfnWndProc = &MainProc;
      window_class.hInstance = GetModuleHandleA(nullptr);
      window_class.lpszClassName = "ItemDialogTestMain";
      RegisterClassA(&window_class);  // fails harmlessly when already registered
      main = CreateWindowA("ItemDialogTestMain", "main",
                           WS_OVERLAPPEDWINDOW | (main_visible ? WS_VISIBLE : 0), 300, 300, 400,
                           300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
      main_created = true;
      Win32ItemDialogRunner runner(GetModuleHandleA(nullptr), main, clock);
      result = runner.Run(initial);
      main_iconic_after_close = IsIconic(main);
      DestroyWindow(main);
      done_ = true;
    });
    WaitFor([&] { return main_created.load(); });
    WaitFor([&] {
      dialog = FindThreadDialog(thread, texts::kItemDlgCaption);
      return dialog != nullptr;
    });
  }

  // A test that stopped half-way may leave boxes open over the dialog: cancel them all.
  ~DialogSession() {
    const bool closed = WaitFor([&] {
      if (done_) return true;
      HWND top = FindOtherThreadDialog(thread, dialog);
      PostMessageA(top ? top : dialog, WM_COMMAND, IDCANCEL, 0);
      return false;
    });
    if (!closed) {
      ADD_FAILURE() << "the dialog's thread did not end";
      std::fflush(stdout);
      TerminateProcess(GetCurrentProcess(), 1);
    }
    if (worker_.joinable()) worker_.join();
  }

  bool WaitClosed() {
    const bool closed = WaitFor([&] { return done_.load(); });
    if (closed && worker_.joinable()) worker_.join();
    return closed;
  }

  HWND Item(int id) const { return GetDlgItem(dialog, id); }
  std::string Text(int id) const { return TextOf(Item(id)); }
  void SetText(int id, const std::string& text) { SetWindowTextA(Item(id), text.c_str()); }
  HWND Focused() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    return info.hwndFocus;
  }
  void FocusOn(int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
  }
  // Posted, as a click arrives: the handler may open a modal box. The empty message sent
  // after it wakes the dialog's thread at once.
  void Press(int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    SendMessageA(dialog, WM_NULL, 0, 0);
  }
  HWND WaitForBox(const std::string& caption) {
    HWND box = nullptr;
    WaitFor([&] {
      box = FindThreadDialog(thread, caption);
      return box != nullptr;
    });
    return box;
  }

 private:
  std::thread worker_;
  std::atomic<bool> done_{false};
};

ItemDialogFields NewItem() {
  ItemDialogFields f;
  f.end_hour = 23;
  f.end_minute = 59;
  return f;
}

}  // namespace

TEST(ItemDialogWindow, LayoutCaptionsAndFontsInPixels) {
  ItemDialogFields f = NewItem();
  f.title = "メモ帳";
  f.file = ExePath();
  DialogSession s(f);
  ASSERT_NE(s.dialog, nullptr);

  EXPECT_EQ(TextOf(s.dialog), "Morvelinアイテムプロパティ");
  RECT client{};
  GetClientRect(s.dialog, &client);
  EXPECT_EQ(client.right, 420);
  EXPECT_EQ(client.bottom, 430);  // the timing and the start condition below the first layout

  // Centred on the screen.
  RECT frame{};
  GetWindowRect(s.dialog, &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

  struct Expected {
    int id;
    int left, top, width;
  };
  const Expected places[] = {
      {IDC_TITLE_NAME, 88, 8, 313},
      {IDC_FILE_NAME, 88, 36, 253},
      {IDC_FOLDER_NAME, 132, 64, 269},
      {IDC_ARGUMENTS_NAME, 132, 92, 269},
      {IDC_STYLE_COMBO, 132, 120, 269},
      {IDC_ONCE_CHECK_BOX, 344, 152, 69},
      {IDC_HOME_NAME, 132, 177, 269},
      {IDOK, 180, 204, 75},
      {IDCANCEL, 260, 204, 75},
      {IDC_OPEN_BUTTON, 344, 36, 57},
      {IDC_EXPLORER_BUTTON, 340, 204, 75},
      {IDC_ICON_IMAGE, 16, 197, 32},
      {IDC_IDLE_CHECK_BOX, 204, 256, 200},
      {IDC_DAY_FIRST, 132, 284, 36},
      {IDC_DAY_FIRST + 6, 360, 284, 36},
      {IDC_NEED_COMBO, 132, 330, 269},
  };
  for (const Expected& e : places) {
    const RECT r = PlaceIn(s.dialog, s.Item(e.id));
    EXPECT_EQ(r.left, e.left) << e.id;
    EXPECT_EQ(r.top, e.top) << e.id;
    EXPECT_EQ(r.right - r.left, e.width) << e.id;
  }
  EXPECT_EQ(PlaceIn(s.dialog, s.Item(IDC_ICON_IMAGE)).bottom, 197 + 32);

  // Each numeric field with its arrows fills its place, wide enough for two digits; the arrows
  // sit at its right edge.
  const int time_lefts[] = {132, 186, 247, 301};
  const int time_ids[] = {IDC_SHH, IDC_SMM, IDC_EHH, IDC_EMM};
  const int updown_ids[] = {IDC_SHH_UPDOWN, IDC_SMM_UPDOWN, IDC_EHH_UPDOWN, IDC_EMM_UPDOWN};
  for (int i = 0; i < 4; ++i) {
    const RECT edit = PlaceIn(s.dialog, s.Item(time_ids[i]));
    const RECT arrows = PlaceIn(s.dialog, s.Item(updown_ids[i]));
    EXPECT_EQ(edit.left, time_lefts[i]);
    EXPECT_EQ(edit.top, 148);
    EXPECT_EQ(arrows.right, time_lefts[i] + 40);
    EXPECT_GE(arrows.left, edit.right - 2);
    EXPECT_EQ(SendMessageA(s.Item(time_ids[i]), EM_GETLIMITTEXT, 0, 0), 2);
  }
  EXPECT_EQ(s.Text(IDC_SHH), "0");
  EXPECT_EQ(s.Text(IDC_SMM), "00");
  EXPECT_EQ(s.Text(IDC_EHH), "23");
  EXPECT_EQ(s.Text(IDC_EMM), "59");

  // Labels at the left margin on their field's row, with their captions.
  const std::pair<int, const char*> labels[] = {
      {IDC_LABEL_TITLE, "タイトル(&T):"},          {IDC_LABEL_FILE, "ファイル名(&F):"},
      {IDC_LABEL_FOLDER, "実行時のフォルダ(&W):"}, {IDC_LABEL_ARGUMENTS, "実行時の引数(&A):"},
      {IDC_LABEL_STYLE, "実行時の状態(&S):"},      {IDC_LABEL_TIME, "有効時間帯(&H):"},
      {IDC_LABEL_HOME, "ホームページ(&P)"},        {IDC_LABEL_DELAY, "ﾛｸﾞｵﾝ後の遅れ(秒)(&L):"},
      {IDC_LABEL_DAYS, "起動する曜日(&Y):"},       {IDC_LABEL_NEED, "待つもの(&N):"},
      {IDC_LABEL_NEED_TARGET, "対象(&G):"},        {IDC_LABEL_NEED_LIMIT, "待つ上限(秒)(&M):"},
  };
  for (const auto& [id, caption] : labels) {
    EXPECT_EQ(s.Text(id), caption);
    EXPECT_EQ(PlaceIn(s.dialog, s.Item(id)).left, 12) << caption;
  }
  EXPECT_EQ(s.Text(IDC_LABEL_COLON1), "：");
  EXPECT_EQ(s.Text(IDC_LABEL_TILDE), "～");
  EXPECT_EQ(s.Text(IDC_LABEL_COLON2), "：");
  EXPECT_EQ(s.Text(IDC_ONCE_CHECK_BOX), "一回のみ");
  EXPECT_EQ(s.Text(IDOK), "OK");
  EXPECT_EQ(s.Text(IDCANCEL), "ｷｬﾝｾﾙ");
  EXPECT_EQ(s.Text(IDC_OPEN_BUTTON), "参照(&R)...");
  EXPECT_EQ(s.Text(IDC_EXPLORER_BUTTON), "ｴｸｽﾌﾟﾛｰﾗ");

  // Fonts: 12 pixels everywhere, 16 for the separators between the times.
  auto font_height = [&](int id) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(s.Item(id), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfHeight;
  };
  EXPECT_EQ(font_height(IDC_TITLE_NAME), -12);
  EXPECT_EQ(font_height(IDC_LABEL_TITLE), -12);
  EXPECT_EQ(font_height(IDOK), -12);
  EXPECT_EQ(font_height(IDC_LABEL_COLON1), -16);
  EXPECT_EQ(font_height(IDC_LABEL_TILDE), -16);

  // The window states, the first selected for a new item.
  HWND combo = s.Item(IDC_STYLE_COMBO);
  ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
  const char* styles[] = {"通常のｳｲﾝﾄﾞｳ", "最小化", "最大化"};
  for (int i = 0; i < 3; ++i) {
    char text[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, styles[i]);
  }
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);

  // OK is the default button; the browse button is left out of the Tab order.
  EXPECT_EQ(GetWindowLongA(s.Item(IDOK), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(s.Item(IDC_OPEN_BUTTON), GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_NE(GetWindowLongA(s.Item(IDC_EXPLORER_BUTTON), GWL_STYLE) & WS_TABSTOP, 0);

  // Title focused first; the icon of the item's file is shown at once.
  EXPECT_EQ(s.Focused(), s.Item(IDC_TITLE_NAME));
  EXPECT_TRUE(WaitFor([&] { return ColoursShownBy(s.Item(IDC_ICON_IMAGE)) > 2; }));

  // Hint pop-ups only on the Explorer button and the icon, "&" shown as it is.
  HWND tips = FindThreadWindowOfClass(s.thread, TOOLTIPS_CLASSA);
  ASSERT_NE(tips, nullptr);
  EXPECT_NE(GetWindowLongA(tips, GWL_STYLE) & TTS_NOPREFIX, 0);
  ASSERT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 11);
  std::set<std::pair<HWND, std::string>> hints;
  for (int i = 0; i < 11; ++i) {
    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageA(tips, TTM_ENUMTOOLSA, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(&tool)));
    hints.insert({reinterpret_cast<HWND>(tool.uId), text});
  }
  std::set<std::pair<HWND, std::string>> expected_hints{
      {s.Item(IDC_EXPLORER_BUTTON), "ｴｸｽﾌﾟﾛｰﾗからDrag&Drop出来ます。"},
      {s.Item(IDC_ICON_IMAGE), "Click Here(Right)"},
      {s.Item(IDC_DELAY), texts::kDelayHint},
      {s.Item(IDC_IDLE_CHECK_BOX), texts::kIdleHint}};
  for (int d = 0; d < 7; ++d) expected_hints.insert({s.Item(IDC_DAY_FIRST + d), texts::kDaysHint});
  EXPECT_EQ(hints, expected_hints);

  // A picture of the dialog for a person to check the layout.
  CreateDirectoryA((ExeFolder() + "screens").c_str(), nullptr);
  EXPECT_TRUE(SaveWindowBitmap(s.dialog, ExeFolder() + "screens\\item_dialog.bmp"));
}

// The row's condition shows with its hint; OK refuses a port out of range, the target focused.
TEST(ItemDialogWindow, ConditionFieldsShowTheRowsAndOkRefusesAPortOutOfRange) {
  ItemDialogFields f = NewItem();
  f.title = f.file = ExePath();
  f.condition = {ConditionKind::PortOpen, "127.0.0.1:70000", 90, AtLimit::Skip};
  DialogSession s(f);
  ASSERT_NE(s.dialog, nullptr);
  EXPECT_EQ(s.Text(IDC_NEED_HINT), texts::kNeedPortHint);
  s.Press(IDOK);
  HWND box = s.WaitForBox(texts::kCaptionError);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), texts::kNeedBadPort);
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return s.Focused() == s.Item(IDC_NEED_TARGET); }));
}

TEST(ItemDialogWindow, OkReportsTheEmptyTitleFirstThenTheFileThenCloses) {
  DialogSession s(NewItem());
  ASSERT_NE(s.dialog, nullptr);

  s.Press(IDOK);
  HWND box = s.WaitForBox(texts::kCaptionError);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), "タイトル名が入力されていません");
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  ASSERT_TRUE(WaitFor([&] { return s.Focused() == s.Item(IDC_TITLE_NAME); }));
  EXPECT_TRUE(IsWindowVisible(s.dialog));

  s.SetText(IDC_TITLE_NAME, " ");
  s.Press(IDOK);
  box = s.WaitForBox(texts::kCaptionError);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), "ファイル名が入力されていません");
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return s.Focused() == s.Item(IDC_FILE_NAME); }));

  s.SetText(IDC_FILE_NAME, "C:\\nowhere\\missing.exe");
  s.SetText(IDC_HOME_NAME, "http://example.jp/");
  SendMessageA(s.Item(IDC_STYLE_COMBO), CB_SETCURSEL, 2, 0);
  SendMessageA(s.Item(IDC_ONCE_CHECK_BOX), BM_SETCHECK, BST_CHECKED, 0);
  s.SetText(IDC_DELAY, "9999");                              // brought within its bounds
  SendMessageA(s.Item(IDC_DAY_FIRST), BM_CLICK, 0, 0);       // Sunday off
  SendMessageA(s.Item(IDC_IDLE_CHECK_BOX), BM_CLICK, 0, 0);  // idle on
  s.Press(IDOK);
  ASSERT_TRUE(s.WaitClosed());
  ASSERT_TRUE(s.result.has_value());
  EXPECT_EQ(s.result->fields.timing, (RowTiming{kMaxDelaySeconds, 0x7E, true}));
  EXPECT_EQ(s.result->fields.title, " ");
  EXPECT_EQ(s.result->fields.file, "C:\\nowhere\\missing.exe");
  EXPECT_EQ(s.result->fields.home, "http://example.jp/");
  EXPECT_EQ(s.result->fields.style, 2);
  EXPECT_EQ(s.result->p_time, "00002359");
  EXPECT_EQ(s.result->once_check, "1");
}

TEST(ItemDialogWindow, DroppedLongFileNameFillsTheFieldsWholeAndOkRefusesIt) {
  ItemDialogFields f = NewItem();
  f.args = "--old";
  f.title = "old";
  DialogSession s(f);
  ASSERT_NE(s.dialog, nullptr);

  const std::string folder =
      "C:\\" + std::string(150, 'a') + "\\" + std::string(150, 'b') + "\\ソフト";
  const std::string file = folder + "\\表示.exe";
  ASSERT_GT(file.size(), 300u);
  SendMessageA(s.dialog, WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({file, "C:\\second\\other.exe"})), 0);

  EXPECT_EQ(s.Text(IDC_FILE_NAME), file);
  EXPECT_EQ(s.Text(IDC_FOLDER_NAME), folder);
  EXPECT_EQ(s.Text(IDC_TITLE_NAME), "表示.exe");
  EXPECT_EQ(s.Text(IDC_ARGUMENTS_NAME), "");

  // A path past the system's limit could never be launched: OK says so and keeps the fields.
  s.Press(IDOK);
  HWND box = s.WaitForBox(texts::kCaptionError);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), texts::kFileTooLong);
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return s.Focused() == s.Item(IDC_FILE_NAME); }));
  EXPECT_EQ(s.Text(IDC_FILE_NAME) + s.Text(IDC_FOLDER_NAME), file + folder);
  s.Press(IDCANCEL);
  ASSERT_TRUE(s.WaitClosed());
}

TEST(ItemDialogWindow, TypedFileNameChangesOnlyTheIconWhenLeft) {
  ItemDialogFields f = NewItem();
  f.title = "kept";
  f.folder = "C:\\kept";
  DialogSession s(f);
  ASSERT_NE(s.dialog, nullptr);
  EXPECT_EQ(ColoursShownBy(s.Item(IDC_ICON_IMAGE)), 1u);  // a new item: no picture

  s.FocusOn(IDC_FILE_NAME);
  s.SetText(IDC_FILE_NAME, ExePath());
  s.FocusOn(IDC_ARGUMENTS_NAME);
  EXPECT_TRUE(WaitFor([&] { return ColoursShownBy(s.Item(IDC_ICON_IMAGE)) > 2; }));
  EXPECT_EQ(s.Text(IDC_TITLE_NAME), "kept");
  EXPECT_EQ(s.Text(IDC_FOLDER_NAME), "C:\\kept");

  // A name without an icon empties the picture again.
  s.FocusOn(IDC_FILE_NAME);
  s.SetText(IDC_FILE_NAME, "C:\\nowhere\\missing.exe");
  s.FocusOn(IDC_ARGUMENTS_NAME);
  EXPECT_TRUE(WaitFor([&] { return ColoursShownBy(s.Item(IDC_ICON_IMAGE)) == 1; }));
}

TEST(ItemDialogWindow, NumericFieldsStepClampAndRefuseOtherCharacters) {
  DialogSession s(NewItem());
  ASSERT_NE(s.dialog, nullptr);

  // Up and Down keys step by one without wrapping.
  s.FocusOn(IDC_SHH);
  SendMessageA(s.Item(IDC_SHH), WM_KEYDOWN, VK_UP, 0);
  SendMessageA(s.Item(IDC_SHH), WM_KEYUP, VK_UP, 0);
  EXPECT_EQ(s.Text(IDC_SHH), "1");
  SendMessageA(s.Item(IDC_SHH), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(s.Item(IDC_SHH), WM_KEYUP, VK_DOWN, 0);
  SendMessageA(s.Item(IDC_SHH), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(s.Item(IDC_SHH), WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(s.Text(IDC_SHH), "0");
  s.FocusOn(IDC_EMM);
  SendMessageA(s.Item(IDC_EMM), WM_KEYDOWN, VK_UP, 0);
  SendMessageA(s.Item(IDC_EMM), WM_KEYUP, VK_UP, 0);
  EXPECT_EQ(s.Text(IDC_EMM), "59");

  // The arrow buttons step the same way.
  HWND arrows = s.Item(IDC_EHH_UPDOWN);
  RECT r{};
  GetClientRect(arrows, &r);
  const LPARAM lower_half = MAKELPARAM(r.right / 2, r.bottom * 3 / 4);
  PostMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, lower_half);
  PostMessageA(arrows, WM_LBUTTONUP, 0, lower_half);
  EXPECT_TRUE(WaitFor([&] { return s.Text(IDC_EHH) == "22"; }));

  // Typed characters: letters refused, digits and signs taken.
  s.FocusOn(IDC_SMM);
  s.SetText(IDC_SMM, "");
  for (char c : std::string("7a5")) SendMessageA(s.Item(IDC_SMM), WM_CHAR, c, 0);
  EXPECT_EQ(s.Text(IDC_SMM), "75");
  // Leaving the field clamps it.
  s.FocusOn(IDC_EHH);
  EXPECT_EQ(s.Text(IDC_SMM), "59");

  s.SetText(IDC_EHH, "");
  for (char c : std::string("-9")) SendMessageA(s.Item(IDC_EHH), WM_CHAR, c, 0);
  EXPECT_EQ(s.Text(IDC_EHH), "-9");
  // Enter straight from the field: the value is still clamped into the time band.
  s.Press(IDOK);
  HWND box = s.WaitForBox(texts::kCaptionError);
  ASSERT_NE(box, nullptr);
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  s.SetText(IDC_TITLE_NAME, "t");
  s.SetText(IDC_FILE_NAME, "f.exe");
  s.Press(IDOK);
  ASSERT_TRUE(s.WaitClosed());
  ASSERT_TRUE(s.result.has_value());
  EXPECT_EQ(s.result->p_time, "00590059");
}

TEST(ItemDialogWindow, IconMenuSetsTheCurrentTimeAsStart) {
  DialogSession s(NewItem());
  ASSERT_NE(s.dialog, nullptr);
  RECT picture{};
  GetWindowRect(s.Item(IDC_ICON_IMAGE), &picture);
  PostMessageA(s.dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(s.Item(IDC_ICON_IMAGE)),
               MAKELPARAM(picture.left + 5, picture.top + 5));
  HWND popup = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    popup = FindWindowA("#32768", nullptr);
    return popup && IsWindowVisible(popup);
  }));
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  char caption[128] = {};
  GetMenuStringA(menu, 0, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ(caption, "現在の時刻を開始時刻に設定");
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(IDM_START_TIME_NOW));
  GetMenuStringA(menu, 1, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ(caption, "現在の時刻を終了時刻に設定");
  EXPECT_EQ(GetMenuItemID(menu, 1), static_cast<UINT>(IDM_END_TIME_NOW));

  PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(WaitFor([&] { return s.Text(IDC_SHH) == "9"; }));
  EXPECT_EQ(s.Text(IDC_SMM), "05");
  EXPECT_EQ(s.Text(IDC_EHH), "23");

  s.clock.now.hour = 17;
  s.clock.now.minute = 30;
  PostMessageA(s.dialog, WM_COMMAND, IDM_END_TIME_NOW, 0);
  ASSERT_TRUE(WaitFor([&] { return s.Text(IDC_EHH) == "17"; }));
  EXPECT_EQ(s.Text(IDC_EMM), "30");

  s.SetText(IDC_TITLE_NAME, "t");
  s.SetText(IDC_FILE_NAME, "f.exe");
  s.Press(IDOK);
  ASSERT_TRUE(s.WaitClosed());
  ASSERT_TRUE(s.result.has_value());
  EXPECT_EQ(s.result->p_time, "09051730");
}

TEST(ItemDialogWindow, CancelEscapeAndCloseBoxGiveNoResult) {
  for (int way = 0; way < 3; ++way) {
    ItemDialogFields f = NewItem();
    f.title = "t";
    f.file = "f.exe";
    DialogSession s(f);
    ASSERT_NE(s.dialog, nullptr);
    if (way == 0) s.Press(IDCANCEL);
    if (way == 1) PostMessageA(s.Item(IDC_TITLE_NAME), WM_KEYDOWN, VK_ESCAPE, 0);
    if (way == 2) PostMessageA(s.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(s.WaitClosed()) << way;
    EXPECT_FALSE(s.result.has_value()) << way;
  }
}

TEST(ItemDialogWindow, AccessKeysAndTabReachEveryFieldInOrder) {
  ItemDialogFields f = NewItem();
  f.title = "Notepad";
  f.file = "notepad.exe";
  f.folder = "C:\\windows";
  f.args = "readme.txt";
  f.home = "http://example.jp/";
  f.timing = {300, 0x3E, false};
  DialogSession s(f);
  ASSERT_NE(s.dialog, nullptr);
  EXPECT_EQ(s.Text(IDC_DELAY) + std::to_string(IsDlgButtonChecked(s.dialog, IDC_DAY_FIRST)) +
                std::to_string(IsDlgButtonChecked(s.dialog, IDC_DAY_FIRST + 1)),
            "30001");
  // Keys as they reach the control that has the focus: through the dialog's own loop.
  const auto press = [&](UINT message, WPARAM key) {
    PostMessageA(s.Focused(), message, key, message == WM_SYSCHAR ? 0x20000000 : 0);
    SendMessageA(s.dialog, WM_NULL, 0, 0);
  };

  // Each label's key goes to its field with the whole text selected, so typing replaces it.
  const std::pair<char, int> keys[] = {
      {'p', IDC_HOME_NAME},   {'T', IDC_TITLE_NAME},     {'f', IDC_FILE_NAME},
      {'w', IDC_FOLDER_NAME}, {'a', IDC_ARGUMENTS_NAME}, {'h', IDC_SHH},
      {'s', IDC_STYLE_COMBO}, {'l', IDC_DELAY},          {'y', IDC_DAY_FIRST}};
  for (const auto& [key, id] : keys) {
    press(WM_SYSCHAR, static_cast<WPARAM>(key));
    ASSERT_TRUE(WaitFor([&] { return s.Focused() == s.Item(id); })) << key;
    if (id == IDC_STYLE_COMBO || id == IDC_DAY_FIRST) continue;
    DWORD from = 1, to = 0;
    SendMessageA(s.Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u) << key;
    EXPECT_EQ(to, s.Text(id).size()) << key;
  }
  press(WM_SYSCHAR, 'n');
  ASSERT_TRUE(WaitFor([&] { return s.Focused() == s.Item(IDC_NEED_COMBO); }));
  // The browse button is left out of the Tab order but keeps its key.
  press(WM_SYSCHAR, 'r');
  HWND open = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    open = FindOtherThreadDialog(s.thread, s.dialog);
    return open != nullptr;
  }));
  SendMessageA(GetDlgItem(open, IDCANCEL), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open); }));

  // Tab goes through the fields in the order they are read, then the buttons, and round again.
  s.FocusOn(IDC_TITLE_NAME);
  const int order[] = {IDC_FILE_NAME,
                       IDC_FOLDER_NAME,
                       IDC_ARGUMENTS_NAME,
                       IDC_STYLE_COMBO,
                       IDC_SHH,
                       IDC_SMM,
                       IDC_EHH,
                       IDC_EMM,
                       IDC_ONCE_CHECK_BOX,
                       IDC_HOME_NAME,
                       IDC_DELAY,
                       IDC_IDLE_CHECK_BOX,
                       IDC_NEED_COMBO,  // its other fields wait, disabled, for a kind
                       IDOK,
                       IDCANCEL,
                       IDC_EXPLORER_BUTTON,
                       IDC_TITLE_NAME};
  for (int id : order) {
    // The days lie between the idle box and the start condition.
    for (int d = 0; id == IDC_NEED_COMBO && d < 7; ++d) {
      press(WM_KEYDOWN, VK_TAB);
      ASSERT_TRUE(WaitFor([&] { return s.Focused() == s.Item(IDC_DAY_FIRST + d); })) << d;
    }
    press(WM_KEYDOWN, VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return s.Focused() == s.Item(id); })) << id;
  }
}

TEST(ItemDialogWindow, ExplorerButtonMinimisesTheMainWindowAndPinsTheDialog) {
  DialogSession s(NewItem(), /*main_visible=*/true);
  ASSERT_NE(s.dialog, nullptr);
  const std::set<HWND> before = ForeignWindows();

  s.Press(IDC_EXPLORER_BUTTON);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(s.main) != FALSE; }));
  RECT frame{};
  ASSERT_TRUE(WaitFor([&] {
    GetWindowRect(s.dialog, &frame);
    return frame.left == 0 && frame.top == 0;
  }));
  EXPECT_TRUE(IsWindowVisible(s.dialog));

  // Explorer opened a window of its own; close it again.
  HWND explorer = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    for (HWND w : ForeignWindows()) {
      if (!before.count(w)) explorer = w;
    }
    return explorer != nullptr;
  }));
  if (explorer) PostMessageA(explorer, WM_CLOSE, 0, 0);

  // It keeps its corner.
  SetWindowPos(s.dialog, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(s.dialog, &frame);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);

  // Files dropped from there still fill it, and the file's icon appears.
  EXPECT_EQ(ColoursShownBy(s.Item(IDC_ICON_IMAGE)), 1u);
  SendMessageA(s.dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ExePath()})), 0);
  EXPECT_EQ(s.Text(IDC_FILE_NAME), ExePath());
  EXPECT_TRUE(WaitFor([&] { return ColoursShownBy(s.Item(IDC_ICON_IMAGE)) > 2; }));

  // Closing brings the main window back.
  s.Press(IDCANCEL);
  ASSERT_TRUE(s.WaitClosed());
  EXPECT_FALSE(s.main_iconic_after_close);
  EXPECT_FALSE(s.result.has_value());
}

TEST(ItemDialogWindow, BrowseStartsAtTheCurrentFileAndTakesThePickedOne) {
  ItemDialogFields f = NewItem();
  f.title = "old";
  f.file = ExePath();
  f.args = "-x";
  DialogSession s(f);
  ASSERT_NE(s.dialog, nullptr);

  auto open_dialog = [&] {
    s.Press(IDC_OPEN_BUTTON);
    HWND open = nullptr;
    WaitFor([&] {
      open = FindOtherThreadDialog(s.thread, s.dialog);
      return open != nullptr;
    });
    return open;
  };
  // The dialog's own file name box: a combo box whose edit holds the name.
  auto name_box = [](HWND open) {
    return reinterpret_cast<HWND>(SendMessageA(GetDlgItem(open, cmb13), CBEM_GETEDITCONTROL, 0, 0));
  };

  // Cancelled: nothing changes.
  HWND open = open_dialog();
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(TextOf(name_box(open)), "win32_tests.exe");  // started at the current file
  SendMessageA(GetDlgItem(open, IDCANCEL), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open); }));
  EXPECT_EQ(s.Text(IDC_TITLE_NAME), "old");
  EXPECT_EQ(s.Text(IDC_ARGUMENTS_NAME), "-x");
  EXPECT_EQ(s.Text(IDC_FILE_NAME), ExePath());

  // Picked: the file replaces title, folder and arguments.
  open = open_dialog();
  ASSERT_NE(open, nullptr);
  SetWindowTextA(name_box(open), "C:\\windows\\notepad.exe");
  HWND open_button = GetDlgItem(open, IDOK);
  ASSERT_EQ(ClassOf(open_button), "Button");
  SendMessageA(open_button, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return s.Text(IDC_TITLE_NAME) != "old"; }));
  EXPECT_STRCASEEQ(s.Text(IDC_FILE_NAME).c_str(), "C:\\windows\\notepad.exe");
  EXPECT_STRCASEEQ(s.Text(IDC_FOLDER_NAME).c_str(), "C:\\windows");
  EXPECT_STRCASEEQ(s.Text(IDC_TITLE_NAME).c_str(), "notepad.exe");
  EXPECT_EQ(s.Text(IDC_ARGUMENTS_NAME), "");
}

namespace {

// A state index the drop-down has no entry for shows no choice and comes back as -1, which is
// what the list commands look for to keep the row's own state.
TEST(ItemDialogWindow, StateWithoutAChoiceShowsNothingSelectedAndComesBackAsMinusOne) {
  for (int style : {5, 3, -1}) {
    ItemDialogFields f = NewItem();
    f.title = "t";
    f.file = "f.exe";
    f.style = style;
    DialogSession s(f);
    ASSERT_NE(s.dialog, nullptr);
    EXPECT_EQ(SendMessageA(s.Item(IDC_STYLE_COMBO), CB_GETCURSEL, 0, 0), CB_ERR) << style;
    s.Press(IDOK);
    ASSERT_TRUE(s.WaitClosed());
    ASSERT_TRUE(s.result.has_value());
    EXPECT_EQ(s.result->fields.style, -1) << style;
  }
}

}  // namespace
