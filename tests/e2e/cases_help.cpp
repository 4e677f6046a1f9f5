// The help as a user meets it: WinHelp's own viewer where the system still has it (contents,
// jumps, Back, browse, the index), the web pages in the browser on later systems, and F1 in
// each window opening that window's topic.
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

void SetText(HKEY root, const char* key, const char* name, const std::string& value) {
  E2E_REQUIRE(WriteRegValue(root, key, name ? name : "", REG_SZ, SzBytes(value)),
              std::string("cannot write ") + key);
}

// What GetVersionEx reports to programs started from now on.
void ReportWindows(const char* version) {
  SetText(HKEY_CURRENT_USER, "Software\\Wine", "Version", version);
}

struct Step {
  int command;          // opens the window (0: the main window itself)
  const char* caption;  // the window's caption
  const char* page;     // its topic's web page
  const char* words;    // a sentence of its topic
};
const Step kWindows[] = {
    {0, nullptr, "main_window.htm", "設定画面は、引数なしで"},
    {IDC_ADD_BTN, "Morvelinアイテムプロパティ", "item_dialog.htm", "「Add」または「Edit」で開く"},
    {IDC_LIST_VIEW_BUTTON, "Morvelin Listing", "listing.htm", "設定画面の「List」、または"},
    {IDC_VERSION_BTN, "ﾊﾞｰｼﾞｮﾝ情報", "about_box.htm", "設定画面の「Version」、または"},
    {-1, nullptr, "options.htm", "「Propertis」ページでは"},  // -1: the main window's options page
    {IDC_HISTORY_BUTTON, "ﾛｸﾞｵﾝ履歴", "logon_history.htm", "「ﾛｸﾞｵﾝ履歴」を押すと"},
};

// Opens each window in turn and presses F1 where its focus is, as the keyboard does.
template <typename Opened>
void WalkWindowsWithF1(const Process& program, HWND main, Opened opened) {
  for (const Step& step : kWindows) {
    if (step.command > 0) PressCommand(main, step.command);
    if (step.command < 0) ShowOptionsPage(main);
    // A dialog, or a window of the program's own class.
    HWND window = main;
    if (step.command > 0)
      WaitUntil([&] {
        window = FindWindowA(nullptr, step.caption);
        return ProcessOf(window) == program.pid && IsWindowVisible(window);
      });
    E2E_REQUIRE(window != nullptr, std::string("no window for ") + step.page);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    PostMessageA(info.hwndFocus ? info.hwndFocus : window, WM_KEYDOWN, VK_F1, 0x003B0001);
    E2E_CHECK(opened(step), std::string("F1 did not open the topic of ") + step.page);
    if (window != main) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0), WaitUntilGone(window);
  }
}

bool Shows(HWND viewer, const std::string& words) {
  return WaitUntil(
      [&] { return TextOf(FindControl(viewer, "RichEdit20A")).find(words) != std::string::npos; });
}

// The client points of the viewer's links, top to bottom: above each green underline, which
// is one unbroken run where letters are not.
std::vector<POINT> Links(HWND text) {
  const RECT r = WindowRect(text);
  std::vector<POINT> links;
  HDC screen = GetDC(nullptr);
  for (LONG y = r.top, last = -10; y < r.bottom; ++y) {
    int run = 0, longest = 0;
    for (LONG x = r.left; x < r.left + 120; ++x)
      longest = std::max(longest, run = GetPixel(screen, x, y) == RGB(0, 128, 0) ? run + 1 : 0);
    if (longest >= 20 && y > last + 1) links.push_back(POINT{12, y - r.top - 5});
    if (longest >= 20) last = y;
  }
  ReleaseDC(nullptr, screen);
  return links;
}

void ClickViewerButton(HWND viewer, const std::string& caption) {
  for (HWND button : FindControls(viewer, "Button"))
    if (TextOf(button) == caption) PostMessageA(button, BM_CLICK, 0, 0);
}

}  // namespace

E2E_CASE(help_in_the_browser_on_later_windows) {
  ReportWindows("win10");
  // Web pages open with whatever the user has for them: the marker here.
  SetText(HKEY_CLASSES_ROOT, ".htm", nullptr, "MorvelinTestPage");
  SetText(HKEY_CLASSES_ROOT, "MorvelinTestPage\\shell\\open\\command", nullptr,
          "\"C:\\e2e\\marker.exe\" \"%1\"");
  const auto opened = [](const std::string& page) {
    return WaitUntil([&] {
      for (const Mark& mark : ReadMarks())
        if (mark.args == "\"C:\\e2e\\MorvelinHelp\\" + page + "\"") return true;
      return false;
    });
  };
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  PressCommand(main, IDC_HELP_CONTENTS_BTN);
  E2E_CHECK(opened("index.htm"), "no contents page: " + OpenBoxes(program.pid));
  WalkWindowsWithF1(program, main, [&](const Step& step) { return opened(step.page); });
  E2E_CHECK(TopWindows("MS_WINHELP", 0, false).empty(), "the WinHelp viewer was started");
  CancelAndExpectExit(program, main);
}

E2E_CASE(help_viewer_shows_contents) {
  ReportWindows("winxp");
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  PressCommand(main, IDC_HELP_CONTENTS_BTN);
  HWND viewer = nullptr;
  // The viewer starts with a hidden window of its own, then shows the file in one captioned
  // with the file's title.
  E2E_REQUIRE(WaitUntil([&] {
                viewer = FindWindowA("MS_WINHELP", nullptr);
                return viewer && IsWindowVisible(viewer) && TextOf(viewer) == "Morvelin ヘルプ";
              }),
              "no help viewer captioned with the help's title: " + OpenBoxes(program.pid));
  HWND text = FindControl(viewer, "RichEdit20A");
  E2E_CHECK(Shows(viewer, "Morvelin ﾍﾙﾌﾟ\r\nｶﾞｲﾖｳ\r\nｾｯﾃｲｶﾞﾒﾝ"), "contents: " + TextOf(text));
  SaveScreenshot("help-contents", viewer);
  // Each of the fifteen entries is a link: the last leads to its topic, the last in the
  // browse sequence; << goes one back, and Back returns to the contents.
  std::vector<POINT> links;
  E2E_CHECK(WaitUntil([&] { return (links = Links(text)).size() == 15; }),
            "links: " + std::to_string(links.size()));
  if (links.size() == 15) {
    PostClick(text, links[14]);
    E2E_CHECK(Shows(viewer, "アンインストール\r\n1.タスクトレイに常駐"), "topic: " + TextOf(text));
    ClickViewerButton(viewer, "&<<");
    E2E_CHECK(Shows(viewer, "保存場所\r\nウィンドウの位置"), "browsed back: " + TextOf(text));
    ClickViewerButton(viewer, "戻る(&B)");
    E2E_CHECK(Shows(viewer, "アンインストール\r\n"), "Back: " + TextOf(text));
    ClickViewerButton(viewer, "戻る(&B)");
    E2E_CHECK(Shows(viewer, "Morvelin ﾍﾙﾌﾟ\r\nｶﾞｲﾖｳ"), "Back: " + TextOf(text));
  }
  // The index lists the keywords.
  ClickViewerButton(viewer, "索引(&I)");
  HWND list = nullptr;
  WaitUntil([&] {
    for (HWND sheet : TopWindows("#32770", ProcessOf(viewer), true))
      if ((list = FindControl(sheet, "ListBox"))) return true;
    return false;
  });
  E2E_REQUIRE(list != nullptr, "no index");
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
  PostMessageA(GetAncestor(list, GA_ROOT), WM_COMMAND, IDCANCEL, 0);
  WalkWindowsWithF1(program, main, [&](const Step& step) { return Shows(viewer, step.words); });
  PostMessageA(viewer, WM_CLOSE, 0, 0);
  WaitUntilGone(viewer);
  CancelAndExpectExit(program, main);
}

E2E_CASE(help_file_missing) {
  // Each output names what is missing, and nothing else opens.
  for (const auto& [version, path] :
       {std::pair<const char*, std::string>{"winxp", "C:\\e2e\\Morvelin.Hlp"},
        {"win10", "C:\\e2e\\MorvelinHelp\\index.htm"}}) {
    ReportWindows(version);
    DeleteFileA(path.c_str());
    Process program = StartProgram();
    HWND main = StartAndWaitForMain(program);
    PressCommand(main, IDC_HELP_CONTENTS_BTN);
    E2E_CHECK(AnswerBox(program.pid, kError, "ヘルプファイル " + path + " が見つかりません。",
                        {kOk}, IconKind::Error, kOk),
              "no message: " + OpenBoxes(program.pid));
    CancelAndExpectExit(program, main);
  }
  E2E_CHECK(TopWindows("MS_WINHELP", 0, false).empty() && ReadMarks().empty(), "help opened");
}
