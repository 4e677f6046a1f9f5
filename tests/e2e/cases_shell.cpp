// The shell tool buttons of the real program: the Startup entry (started by the system's own
// log-on processing; over DDE to a Program Manager server of the driver's own where no Startup
// folder resolves), the desktop shortcut and the about box.

// clang-format off
#include <windows.h>
#include <ddeml.h>
#include <objidl.h>
#include <shlobj.h>
// clang-format on

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"
#include "win32/shell_test_support.h"

using namespace e2e;

namespace {

const char kRegisterQuestion[] =
    "｢ｽﾀｰﾄｱｯﾌﾟ｣にMorvelinを登録しますか？\r\n"
    "登録後、重複するｱﾌﾟﾘｹｰｼｮﾝは｢ｽﾀｰﾄｱｯﾌﾟ｣から削除して下さい。";
const char kUnregisterQuestion[] =
    "｢ｽﾀｰﾄｱｯﾌﾟ｣にはMorvelinが既に登録されています。\r\n登録を解除しますか？";
const char kDesktopQuestion[] = "ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成しますか?";
const char kAboutCaption[] = "ﾊﾞｰｼﾞｮﾝ情報";

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
  return path;
}

void AskQuestion(DWORD pid, int command, HWND main, const std::string& text,
                 const std::string& answer, bool removal = false) {
  PressCommand(main, command);
  E2E_CHECK(AnswerBox(pid, removal ? "確認" : kInformation, text, {kYes, kNo},
                      removal ? IconKind::Question : IconKind::Information, answer),
            "no question came: " + OpenBoxes(pid));
}

// "###,##0KB" of a byte count, as the box must show it (halves to even).
std::string Kilobytes(ULONGLONG bytes) {
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  const std::string digits =
      std::to_string(static_cast<ULONGLONG>(std::nearbyint(static_cast<double>(bytes) / 1024.0)));
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
    text += digits[i];
  }
  return text + "KB";
}

// How many pixels of the colour the window shows on the screen.
int PixelsOfColour(HWND window, COLORREF colour) {
  const RECT r = WindowRect(window);
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x)
      if (GetPixel(screen, x, y) == colour) ++count;
  ReleaseDC(nullptr, screen);
  return count;
}

HWND OpenAboutBox(const Process& program, HWND main) {
  PressCommand(main, IDC_VERSION_BTN);
  HWND box = WaitForDialog(program.pid, kAboutCaption);
  E2E_REQUIRE(box != nullptr, "no about box: " + OpenBoxes(program.pid));
  return box;
}

}  // namespace

E2E_CASE(startup_group_and_desktop_shortcut) {
  CoInitialize(nullptr);
  TestProgmanServer server([](const std::function<bool()>& ready) { return WaitUntil(ready); });
  E2E_REQUIRE(server.Registered(), "the test server could not register as PROGMAN");
  SYSTEMTIME now;
  GetLocalTime(&now);
  char band[16];  // the hour before now to the hour after, round midnight if need be
  std::snprintf(band, sizeof band, "%02d00%02d59", (now.wHour + 23) % 24, (now.wHour + 1) % 24);
  WriteSettings({{"Lanc", "0"}, {"Count", "1"}});
  WriteItemFile(ItemFile(
      RowKeys(0, "起動", AppPath("marker.exe"), "", "--row 0", "0", band, "000/00", "", "1")));
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);

  // Only where no Startup folder resolves do the commands go to the shell's group interface.
  const std::string startup = SpecialFolder(CSIDL_STARTUP), entry = startup + "\\Morvelin.lnk";
  const auto point_startup_at = [](const std::string& folder) {
    E2E_REQUIRE(RegSetKeyValueA(
                    HKEY_CURRENT_USER,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                    "Startup", REG_EXPAND_SZ, folder.c_str(), folder.size() + 1) == 0,
                "the Startup folder cannot be set");
  };
  point_startup_at("C:\\nowhere\\Startup");
  AskQuestion(program.pid, IDC_GROUP_BUTTON, main, kRegisterQuestion, kYes);
  E2E_CHECK(WaitUntil([&] { return server.Commands().size() >= 3; }),
            std::to_string(server.Commands().size()) + " commands arrived");
  const std::string z(1, '\0');
  const std::vector<std::string> expected = {
      "[CreateGroup(ｽﾀｰﾄｱｯﾌﾟ)]" + z, "[ShowGroup(ｽﾀｰﾄｱｯﾌﾟ,1)]" + z,
      "[AddItem(\"C:\\e2e\\morvelin.exe\" /N ,\"Morvelin\")]" + z};
  E2E_CHECK_EQ(server.Commands(), expected);
  E2E_CHECK(MessageBoxes(program.pid).empty(), "a message followed: " + OpenBoxes(program.pid));

  // No sends nothing.
  AskQuestion(program.pid, IDC_GROUP_BUTTON, main, kRegisterQuestion, kNo);

  // Otherwise the entry goes straight into the Startup folder, which is shown.
  point_startup_at(startup);
  // (A shortcut that cannot be written says so and changes nothing.)
  CreateDirectoryA(entry.c_str(), nullptr);
  AskQuestion(program.pid, IDC_GROUP_BUTTON, main, kRegisterQuestion, kYes);
  E2E_CHECK(AnswerBox(program.pid, "Morvelin", "ショートカットの制作に失敗しました。", {kOk},
                      IconKind::None, kOk),
            "no failure message: " + OpenBoxes(program.pid));
  E2E_CHECK(RemoveDirectoryA(entry.c_str()), "the entry in the way changed");
  AskQuestion(program.pid, IDC_GROUP_BUTTON, main, kRegisterQuestion, kYes);
  E2E_CHECK(WaitUntil([&] { return FileExists(entry); }), "no Startup entry: " + Describe(entry));
  const LinkFields started = ReadLink(entry);
  E2E_CHECK_EQ(started.target + " " + started.arguments + " in " + started.folder,
               std::string("C:\\e2e\\morvelin.exe /N in C:\\e2e\\"));
  E2E_CHECK(WaitUntil([] { return TopWindows("ExplorerWClass", 0, true).size() == 1; }),
            "not one folder window");
  E2E_CHECK(!FileExists(SpecialFolder(CSIDL_PROGRAMS) + "\\ｽﾀｰﾄｱｯﾌﾟ"), "a group folder was made");
  // Now the button offers to remove the entry: No leaves it (it is offered again), Yes removes it.
  AskQuestion(program.pid, IDC_GROUP_BUTTON, main, kUnregisterQuestion, kNo, true);
  AskQuestion(program.pid, IDC_GROUP_BUTTON, main, kUnregisterQuestion, kYes, true);
  E2E_CHECK(WaitUntil([&] { return !FileExists(entry); }), "the entry stays");
  AskQuestion(program.pid, IDC_GROUP_BUTTON, main, kRegisterQuestion, kYes);

  const std::string link =
      SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Morvelinへのショートカット.lnk";
  E2E_CHECK(!FileExists(link), "a desktop link before the command: " + Describe(link));
  AskQuestion(program.pid, IDC_SHORTCUT_BUTTON, main, kDesktopQuestion, kYes);
  E2E_CHECK(WaitUntil([&] { return FileExists(link); }), "no desktop link: " + Describe(link));
  const LinkFields fields = ReadLink(link);
  E2E_CHECK(fields.loaded, "the link does not load");
  E2E_CHECK_EQ(fields.target, std::string("C:\\e2e\\morvelin.exe"));
  E2E_CHECK_EQ(fields.folder, std::string("C:\\e2e\\"));
  E2E_CHECK_EQ(fields.arguments, std::string(""));
  // The No above has had all this time to send anything: nothing came.
  E2E_CHECK_EQ(server.Commands().size(), size_t{3});
  CancelAndExpectExit(program, main);

  // The system's own log-on processing starts the entry, whose run launches the due row.
  E2E_REQUIRE(WinExec("wineboot.exe", SW_SHOWNORMAL) > 31, "wineboot did not start");
  E2E_CHECK(WaitUntil([] { return !ReadMarks().empty(); }), "the log-on run launched nothing");
  E2E_CHECK_EQ(ReadMarks().front().args, std::string("--row 0"));
  CoUninitialize();
}

E2E_CASE(about_box) {
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  const size_t windows_before = TopWindows(nullptr, program.pid, false).size();

  HWND box = OpenAboutBox(program, main);
  RECT client{};
  GetClientRect(box, &client);
  E2E_CHECK_EQ_AS("client width", client.right, LONG{297});
  E2E_CHECK_EQ_AS("client height", client.bottom, LONG{212});
  const RECT frame = WindowRect(box);
  const LONG centre_x = (frame.left + frame.right) / 2, centre_y = (frame.top + frame.bottom) / 2;
  E2E_CHECK(std::abs(centre_x - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
                std::abs(centre_y - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1,
            "not centred: " + std::to_string(centre_x) + "," + std::to_string(centre_y));
  E2E_CHECK_EQ(TextOf(GetDlgItem(box, IDC_ABOUT_VERSION)), std::string("Version 2.1"));
  E2E_CHECK_EQ(TextOf(GetDlgItem(box, IDC_ABOUT_LINK)), std::string("http://www.brel.example/"));

  HWND total = GetDlgItem(box, IDC_ABOUT_TOTAL_MEMORY);
  HWND free_memory = GetDlgItem(box, IDC_ABOUT_FREE_MEMORY);
  HWND resources = GetDlgItem(box, IDC_ABOUT_FREE_RESOURCES);
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  const std::string expected_total =
      "Memory Available to Windows : " + Kilobytes(status.ullTotalPhys);
  E2E_CHECK(
      WaitUntil([&] { return TextOf(total) == expected_total; }),
      "total memory line " + Describe(TextOf(total)) + ", expected " + Describe(expected_total));
  const std::string free_text = TextOf(free_memory);
  const std::string free_prefix = "Free Memory : ";
  E2E_CHECK(free_text.rfind(free_prefix, 0) == 0 && free_text.size() > free_prefix.size() + 2 &&
                free_text.substr(free_text.size() - 2) == "KB",
            "free memory line " + Describe(free_text));
  E2E_CHECK(WaitUntil([&] { return TextOf(resources) == "Windows2000"; }),
            "resources line " + Describe(TextOf(resources)));
  E2E_CHECK(WaitUntil([&] { return PixelsOfColour(resources, RGB(0, 255, 0)) > 10; }),
            "no lime letters in the resources box");
  E2E_CHECK_EQ(PixelsOfColour(resources, RGB(255, 0, 0)), 0);
  SaveScreenshot("about", box);

  // Escape does nothing; Enter presses OK.
  HWND ok = GetDlgItem(box, IDOK);
  PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(ok, WM_KEYUP, VK_ESCAPE, 0);
  E2E_CHECK(Responsive(box) && IsWindowVisible(box), "Escape closed the box");
  PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(ok, WM_KEYUP, VK_RETURN, 0);
  E2E_CHECK(WaitUntilGone(box), "Enter did not close the box");

  // The address opens through the shell: web addresses go to the marker here.
  E2E_REQUIRE(WriteRegValue(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", REG_SZ,
                            SzBytes("\"C:\\e2e\\marker.exe\" \"%1\"")),
              "cannot point web addresses at the marker");
  box = OpenAboutBox(program, main);
  PostClick(GetDlgItem(box, IDC_ABOUT_LINK), POINT{20, 6});
  E2E_CHECK(WaitUntil([] { return !ReadMarks().empty(); }), "the address did not open");
  if (!ReadMarks().empty())
    E2E_CHECK_EQ_AS("opened address", ReadMarks()[0].args,
                    std::string("\"http://www.brel.example/\""));  // as the handler quotes it
  PostButtonCommand(box, IDOK);
  E2E_REQUIRE(WaitUntilGone(box), "OK did not close the box");

  // Ten more showings, closed by the OK button and by the close box in turn.
  for (int i = 0; i < 10; ++i) {
    box = OpenAboutBox(program, main);
    if (i % 2)
      PostButtonCommand(box, IDOK);
    else
      PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    E2E_REQUIRE(WaitUntilGone(box), "showing " + std::to_string(i) + " did not close");
  }
  E2E_CHECK(Responsive(main), "main window hangs");
  E2E_CHECK_EQ_AS("windows of the process", TopWindows(nullptr, program.pid, false).size(),
                  windows_before);
  E2E_CHECK(FindDialog(program.pid, kAboutCaption) == nullptr, "an about box is left");
  CancelAndExpectExit(program, main);
}
