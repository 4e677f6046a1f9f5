// The help as a user meets it: WinHelp's own viewer on a system that still has it (contents,
// jumps, back, the index), the web pages in the browser on later systems, and F1 in each window
// opening that window's topic.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

// What GetVersionEx reports to programs started from now on.
void ReportWindows(const char* version) {
  HKEY key = nullptr;
  E2E_REQUIRE(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr) == ERROR_SUCCESS &&
                  RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                                 static_cast<DWORD>(strlen(version) + 1)) == ERROR_SUCCESS,
              "cannot set the reported Windows version");
  RegCloseKey(key);
}

// F1 as the keyboard gives it: to the control that has the focus in that window's thread.
void PressF1(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  HWND target = info.hwndFocus ? info.hwndFocus : window;
  PostMessageA(target, WM_KEYDOWN, VK_F1, 0x003B0001);
  PostMessageA(target, WM_KEYUP, VK_F1, 0xC03B0001);
}

HWND OpenWindow(const Process& program, HWND main, int command, const char* caption) {
  PressCommand(main, command);
  HWND window = WaitForDialog(program.pid, caption);
  E2E_REQUIRE(window != nullptr,
              std::string("no window ") + caption + ": " + OpenBoxes(program.pid));
  return window;
}

struct Step {
  int command;          // opens the window (0: the main window itself)
  const char* caption;  // the window's caption
  const char* page;     // its topic's web page
  const char* words;    // a sentence of its topic in the help file
};
const Step kWindows[] = {
    {0, nullptr, "main_window.htm", "設定画面は、引数なしで"},
    {IDC_ADD_BTN, "Morvelinアイテムプロパティ", "item_dialog.htm", "「Add」または「Edit」で開く"},
    {IDC_LIST_VIEW_BUTTON, "Morvelin Listing", "listing.htm", "設定画面の「List」、または"},
    {IDC_HELP_BTN, "ﾊﾞｰｼﾞｮﾝ情報", "about_box.htm", "設定画面の「Version」、または"},
};

// Presses F1 in each window in turn and waits for what `opened` sees.
template <typename Opened>
void WalkWindowsWithF1(const Process& program, HWND main, Opened opened) {
  for (const Step& step : kWindows) {
    HWND window = step.command ? OpenWindow(program, main, step.command, step.caption) : main;
    PressF1(window);
    E2E_CHECK(opened(step), std::string("F1 did not open the topic of ") + step.page);
    if (window != main) {
      PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      E2E_CHECK(WaitUntilGone(window), std::string("still open: ") + step.page);
    }
  }
}

HWND WaitForViewer() {
  HWND viewer = nullptr;
  WaitUntil([&] {
    for (HWND w : TopWindows("MS_WINHELP", 0, true)) viewer = w;
    return viewer != nullptr;
  });
  return viewer;
}

HWND ViewerText(HWND viewer) {
  return FindControl(viewer, "RichEdit20A");
}

bool ViewerShows(HWND viewer, const std::string& words) {
  return WaitUntil([&] { return TextOf(ViewerText(viewer)).find(words) != std::string::npos; });
}

// The links of the viewer's text, top to bottom, by their green underlines: the client point
// of each link's first letters.
std::vector<POINT> Links(HWND text) {
  const RECT r = WindowRect(text);
  std::vector<POINT> links;
  HDC screen = GetDC(nullptr);
  LONG last = -10;
  for (LONG y = r.top; y < r.bottom; ++y) {
    // An underline is one unbroken green run; letters are not.
    int run = 0, longest = 0;
    for (LONG x = r.left; x < r.left + 120; ++x)
      longest = std::max(longest, run = GetPixel(screen, x, y) == RGB(0, 128, 0) ? run + 1 : 0);
    if (longest < 20) continue;
    if (y > last + 1) links.push_back(POINT{12, y - r.top - 5});
    last = y;
  }
  ReleaseDC(nullptr, screen);
  return links;
}

}  // namespace

E2E_CASE(help_in_the_browser_on_later_windows) {
  ReportWindows("win10");
  // Web pages open with whatever the user has for them: the marker here.
  for (const auto& [key, value] :
       {std::pair<const char*, const char*>{".htm", "MorvelinTestPage"},
        {"MorvelinTestPage\\shell\\open\\command", "\"C:\\e2e\\marker.exe\" \"%1\""}}) {
    HKEY handle = nullptr;
    E2E_REQUIRE(RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &handle, nullptr) == ERROR_SUCCESS &&
                    RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                   static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS,
                "cannot point web pages at the marker");
    RegCloseKey(handle);
  }
  const auto opened = [](const std::string& page) {
    return WaitUntil([&] {
      for (const Mark& mark : ReadMarks())
        if (mark.args == "\"C:\\e2e\\MorvelinHelp\\" + page + "\"") return true;
      return false;
    });
  };
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  PressCommand(main, IDC_HELP_BUTTON);
  E2E_CHECK(opened("index.htm"),
            "the Help button opened no contents page: " + OpenBoxes(program.pid));
  WalkWindowsWithF1(program, main, [&](const Step& step) { return opened(step.page); });
  E2E_CHECK(TopWindows("MS_WINHELP", 0, false).empty(), "the WinHelp viewer was started");
  E2E_CHECK(MessageBoxes(program.pid).empty(), "a message came: " + OpenBoxes(program.pid));
  CancelAndExpectExit(program, main);
}

E2E_CASE(help_viewer_shows_contents) {
  ReportWindows("winxp");
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  PressCommand(main, IDC_HELP_BUTTON);
  HWND viewer = WaitForViewer();
  E2E_REQUIRE(viewer != nullptr, "no help viewer: " + OpenBoxes(program.pid));
  E2E_CHECK_EQ_AS("viewer caption", TextOf(viewer), std::string("Morvelin ヘルプ"));
  HWND text = ViewerText(viewer);
  E2E_CHECK(ViewerShows(viewer, "Morvelin ﾍﾙﾌﾟ\r\nｶﾞｲﾖｳ\r\nｾｯﾃｲｶﾞﾒﾝ"),
            "the contents: " + Describe(TextOf(text)));
  SaveScreenshot("help-contents", viewer);
  // Each of the fourteen entries is a link; the last one leads to its topic, Back returns.
  std::vector<POINT> links;
  E2E_CHECK(WaitUntil([&] { return (links = Links(text)).size() == 14; }),
            "links: " + std::to_string(links.size()));
  if (links.size() == 14) {
    PostClick(text, links[13]);
    E2E_CHECK(ViewerShows(viewer, "アンインストール\r\n1.タスクトレイに常駐"),
              "after the click: " + Describe(TextOf(text)));
    E2E_CHECK(ClickButton(viewer, "戻る(&B)"), "no Back button");
    E2E_CHECK(ViewerShows(viewer, "Morvelin ﾍﾙﾌﾟ\r\nｶﾞｲﾖｳ"), "Back: " + Describe(TextOf(text)));
  }
  // The index lists the keywords.
  HWND index_button = nullptr;
  for (HWND button : FindControls(viewer, "Button"))
    if (TextOf(button) == "索引(&I)") index_button = button;
  E2E_REQUIRE(index_button != nullptr, "no index button");
  PostMessageA(index_button, BM_CLICK, 0, 0);
  HWND list = nullptr;
  E2E_CHECK(WaitUntil([&] {
              for (HWND sheet : TopWindows("#32770", ProcessOf(viewer), true))
                if ((list = FindControl(sheet, "ListBox"))) return true;
              return false;
            }),
            "no index");
  if (list) {
    std::vector<std::string> keywords;
    for (LRESULT i = 0, n = SendOrZero(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
      // The viewer's list is a Unicode window, and its text crosses processes as it is.
      wchar_t wide[256] = {};
      char entry[512] = {};
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
      WideCharToMultiByte(932, 0, wide, -1, entry, sizeof entry, nullptr, nullptr);
      keywords.push_back(entry);
    }
    for (const char* keyword : {"アンインストール", "ﾗﾝﾁｬとして使用する", "二重起動", "Caps Lock"})
      E2E_CHECK(std::find(keywords.begin(), keywords.end(), keyword) != keywords.end(),
                std::string("the index lacks ") + keyword + ": " + Describe(keywords));
    SaveScreenshot("help-index");
    PostMessageA(GetAncestor(list, GA_ROOT), WM_COMMAND, IDCANCEL, 0);
  }
  WalkWindowsWithF1(program, main,
                    [&](const Step& step) { return ViewerShows(viewer, step.words); });
  PostMessageA(viewer, WM_CLOSE, 0, 0);
  WaitUntilGone(viewer);
  CancelAndExpectExit(program, main);
}

E2E_CASE(help_file_missing) {
  // Each output names what is missing, and nothing else opens.
  const std::pair<const char*, std::string> cases[] = {
      {"winxp", "C:\\e2e\\Morvelin.Hlp"}, {"win10", "C:\\e2e\\MorvelinHelp\\index.htm"}};
  for (const auto& [version, path] : cases) {
    ReportWindows(version);
    DeleteFileA(path.c_str());
    Process program = StartProgram();
    HWND main = StartAndWaitForMain(program);
    PressCommand(main, IDC_HELP_BUTTON);
    E2E_CHECK(AnswerBox(program.pid, kError, "ヘルプファイル " + path + " が見つかりません。",
                        {kOk}, IconKind::Error, kOk),
              "no message: " + OpenBoxes(program.pid));
    CancelAndExpectExit(program, main);
  }
  E2E_CHECK(TopWindows("MS_WINHELP", 0, false).empty(), "a help viewer opened");
  E2E_CHECK(ReadMarks().empty(), "a page opened");
}
