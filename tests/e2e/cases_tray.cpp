// The resident launcher driven as a user drives it: real mouse presses on the icon's cell in
// the notification area (Wine's own "Wine System Tray" window under a bare X server, pressed
// with xdotool), then real keys in the popup menus.

// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>
// clang-format on

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const char kMarker[] = "C:\\e2e\\marker.exe";

HWND TrayArea() {
  HWND tray = FindWindowA(nullptr, "Wine System Tray");
  return tray && IsWindowVisible(tray) ? tray : nullptr;
}

// The shown notification area, once it holds an icon.
HWND WaitForTrayIcon() {
  HWND tray = nullptr;
  WaitUntil([&] { return (tray = TrayArea()) != nullptr; });
  return tray;
}

// Presses a mouse button (1 left, 3 right) on the first icon's cell: the first 16 pixels of
// the area's client part, which is all that shows of it without a window manager. Presses
// alternate between two points of the cell, too far apart for a double click, so that quick
// presses in a row stay single presses.
void PressIcon(HWND tray, int button) {
  static int presses = 0;
  POINT cell{++presses % 2 ? 4 : 12, 10};
  ClientToScreen(tray, &cell);
  Log("pressing button " + std::to_string(button) + " at " + std::to_string(cell.x) + "," +
      std::to_string(cell.y));
  E2E_CHECK(RunXdotool("mousemove " + std::to_string(cell.x) + " " + std::to_string(cell.y) +
                       " click " + std::to_string(button)),
            "xdotool did not end");
}

HWND OpenMenu(DWORD pid) {
  for (HWND menu : TopWindows("#32768", pid, true)) return menu;
  return nullptr;
}

HWND WaitForMenu(DWORD pid, DWORD limit = kWaitLimitMs) {
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = OpenMenu(pid)) != nullptr; }, limit);
  return menu;
}

// Opens a tray menu with a press and keeps a screenshot of it; the case stops without one.
HWND PressForMenu(const Process& program, int button, const std::string& screenshot = "") {
  HWND tray = WaitForTrayIcon();
  E2E_REQUIRE(tray != nullptr, "no icon in the notification area");
  PressIcon(tray, button);
  HWND menu = WaitForMenu(program.pid);
  E2E_REQUIRE(menu != nullptr, "no menu opened on the press");
  if (!screenshot.empty()) SaveScreenshot(screenshot, menu);
  return menu;
}

void Keys(const std::string& keys) {
  E2E_CHECK(RunXdotool("key " + keys), "xdotool key failed");
}

// Marks of marker runs so far, as "args | cwd | show".
std::vector<std::string> MarkLines() {
  std::vector<std::string> lines;
  for (const Mark& mark : ReadMarks())
    lines.push_back(mark.args + " | " + mark.cwd + " | " + mark.show);
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool WaitForMarks(size_t count) {
  return WaitUntil([&] { return ReadMarks().size() >= count; });
}

// .html documents open with the marker, which records what it was given.
bool AssociateHtmlWithMarker() {
  const std::string command = std::string("\"") + kMarker + "\" \"%1\"";
  return WriteRegValue(HKEY_CLASSES_ROOT, ".html", "", REG_SZ, SzBytes("mvpage")) &&
         WriteRegValue(HKEY_CLASSES_ROOT, "mvpage\\shell\\open\\command", "", REG_SZ,
                       SzBytes(command));
}

int CountProcesses(const char* exe) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    count += lstrcmpiA(entry.szExeFile, exe) == 0;
  CloseHandle(snapshot);
  return count;
}

// Three rows: a marker with arguments (maximised), a separator, and a marker whose row is not
// enabled, so the log-on run leaves it alone.
void SeedThreeRows() {
  WriteSettings({{"Count", "3"}});
  WriteItemFile(ItemFile(Join({
      RowKeys(0, "Alpha", kMarker, "C:\\e2e", "first \"two words\"", "2", "00002359", "000/00",
              "http://alpha.example/?a=1&b=<2>", "1"),
      RowKeys(1, "-", "", "", "", "0", "00002359", "000/00", "", "0"),
      RowKeys(2, "Beta", kMarker, "C:\\", "beta", "1", "00002359", "000/00", "", "0"),
  })));
}

}  // namespace

// The right press opens the launcher menu; an item row launches with its own arguments, folder
// and show command; the home page is written and opened; the listing keeps the icon inert;
// quit ends the process and takes the icon along, after which a configuration start works.
E2E_CASE(tray_launcher_menu_launches_and_quits) {
  SeedThreeRows();
  E2E_REQUIRE(AssociateHtmlWithMarker(), "no .html association");
  const Process program = StartProgram("/N");
  // The log-on run starts Alpha only (Beta is not enabled).
  E2E_REQUIRE(WaitForMarks(1), "the log-on run launched nothing");

  PressForMenu(program, 3, "launcher-menu");
  Keys("Down Down Return");  // Alpha, then Beta: the arrows pass over the separator row
  E2E_REQUIRE(WaitForMarks(2), "choosing Beta launched nothing");
  E2E_CHECK_EQ(MarkLines(), (std::vector<std::string>{
                                "beta | C:\\ | 2",
                                "first \"two words\" | C:\\e2e | 3",
                            }));

  // Home page: Alpha, Beta, then the command after the fixed separator.
  PressForMenu(program, 3);
  Keys("Down Down Down Return");
  E2E_REQUIRE(WaitForMarks(3), "the home page was not opened");
  std::string page;
  E2E_CHECK(ReadFileBytes(AppPath("Morvelin.html"), &page), "no Morvelin.html");
  E2E_CHECK_EQ(
      page, std::string("<HTML>\r\n<HEAD>\r\n<TITLE>Morvelin</TITLE>\r\n</HEAD>\r\n"
                        "<BODY BGCOLOR=\"#C0E0FF\">\r\n</A>\r\n<UL>\r\n<BR>\r\n"
                        "<P>Welcome <FONT size=\"+4\" color=\"#000099\" face=\"ＭＳ Ｐゴシック\">"
                        "Morvelin</FONT></P>\r\n<BR><BR>\r\n"
                        "◆<A HREF=\"http://alpha.example/?a=1&b=<2>\">    Alpha</A></TB><BR>\r\n"
                        "<BR><BR>\r\n<HR>\r\n<BR>\r\n"
                        "◆<A href=\"http://www.brel.example/morvelin/\">Morvelinホームページ</A>"
                        "<BR><BR>\r\n"
                        "◆<A href=\"http://www.brel.example/\">作者ホームページ</A><BR><BR>\r\n"
                        "<P>\r\n◆メールはこちらへ \r\n"
                        "<A href=\"mailto: morvelin@brel.example\">morvelin@brel.example</A>\r\n"
                        "<BR><BR>\r\n<CENTER><HR WIDTH=400></CENTER>\r\n"
                        "<CENTER><I>Presented By brel</CENTER>\r\n</P>\r\n<BR>\r\n</UL>\r\n"
                        "</BODY>\r\n</HTML>\r\n"));
  bool opened = false;
  for (const Mark& mark : ReadMarks()) {
    std::string args = mark.args;
    CharUpperA(args.data());
    opened = opened || args.find("MORVELIN.HTML") != std::string::npos;
  }
  E2E_CHECK(opened, "the page was not handed to the .html program");

  // The listing, by its access key; the icon ignores presses while it is up.
  PressForMenu(program, 3);
  Keys("d");
  HWND listing = WaitForDialog(program.pid, "Morvelin Listing");
  E2E_REQUIRE(listing != nullptr, "the listing did not open");
  PressIcon(WaitForTrayIcon(), 3);
  E2E_CHECK(WaitForMenu(program.pid, 3000) == nullptr, "a menu opened over the listing");
  PostMessageA(listing, WM_CLOSE, 0, 0);
  E2E_CHECK(WaitUntilGone(listing), "the listing stayed");

  // Quit: the process ends and the icon goes with it.
  PressForMenu(program, 3);
  Keys("x");
  DWORD code = 99;
  E2E_CHECK(WaitForExit(program, &code), "quit did not end the program");
  E2E_CHECK_EQ(code, 0ul);
  E2E_CHECK(WaitUntil([] { return TrayArea() == nullptr; }), "the icon stayed after quit");

  const Process config = StartProgram();
  HWND main = StartAndWaitForMain(config);
  E2E_REQUIRE(main != nullptr, "a configuration start after quit found no window");
  CancelAndExpectExit(config, main);
}

// The left press opens the conveniences menu; its Explorer entry starts Explorer.
E2E_CASE(tray_conveniences_menu_starts_explorer) {
  SeedThreeRows();
  const Process program = StartProgram("/N");
  E2E_REQUIRE(WaitForMarks(1), "the log-on run launched nothing");
  const int explorers = CountProcesses("explorer.exe");
  PressForMenu(program, 1, "conveniences-menu");
  Keys("e");
  E2E_CHECK(WaitUntil([&] { return CountProcesses("explorer.exe") > explorers; }),
            "no Explorer started");
  E2E_CHECK(IsRunning(program), "the launcher ended");
}

// With an empty list the welcome box comes first; the icon is then shown but inert.
E2E_CASE(tray_icon_inert_with_empty_list) {
  const Process program = StartProgram("/N");
  E2E_REQUIRE(AnswerBox(program.pid, kInformation,
                        "Morvelinをご利用いただき、誠に有り難うございます。\r\n"
                        "スタートアッププログラムを登録して下さい。",
                        {kOk}, IconKind::Information, kOk),
              "no welcome box");
  HWND main = StartAndWaitForMain(program);
  E2E_REQUIRE(main != nullptr, "no main window after the welcome box");
  HWND tray = WaitForTrayIcon();
  E2E_REQUIRE(tray != nullptr, "no icon in the notification area");
  SaveScreenshot("inert-icon");
  PressIcon(tray, 3);
  E2E_CHECK(WaitForMenu(program.pid, 3000) == nullptr, "the inert icon opened a menu");
  PressIcon(tray, 1);
  E2E_CHECK(WaitForMenu(program.pid, 3000) == nullptr, "the inert icon opened a menu");
  CancelAndExpectExit(program, main);
}

// When the shell forgets the icon and announces itself again, the icon comes back.
E2E_CASE(tray_icon_returns_after_taskbar_created) {
  SeedThreeRows();
  const Process program = StartProgram("/N");
  E2E_REQUIRE(WaitForTrayIcon() != nullptr, "no icon in the notification area");
  HWND callback = nullptr;
  for (HWND window : TopWindows("TCallbackWindow", program.pid, false)) callback = window;
  E2E_REQUIRE(callback != nullptr, "no callback window");
  // What a restarted shell does: it no longer knows the icon.
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = callback;
  data.uID = 1;
  E2E_CHECK(Shell_NotifyIconA(NIM_DELETE, &data), "the icon could not be taken away");
  E2E_CHECK(WaitUntil([] { return TrayArea() == nullptr; }), "the icon stayed");
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  E2E_CHECK(WaitForTrayIcon() != nullptr, "the icon did not come back");
  E2E_CHECK(MessageBoxes(program.pid).empty(), "a box came up: " + OpenBoxes(program.pid));
  PressForMenu(program, 3);
  Keys("Escape");
}
