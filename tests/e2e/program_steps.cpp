#include "program_steps.h"

#include "../../resources/resource_ids.h"

namespace e2e {

// A profile file as the program's item file holds it: Shift-JIS, CRLF, one section.
std::string ItemFile(const KeyValues& keys) {
  std::string bytes = "[Items]\r\n";
  for (const auto& [key, value] : keys) bytes += key + "=" + value + "\r\n";
  return bytes;
}

// All nine keys of row i, in the order a person editing the file by hand would write them.
KeyValues RowKeys(int i, const std::string& title, const std::string& file,
                  const std::string& folder, const std::string& arguments, const std::string& state,
                  const std::string& band, const std::string& once, const std::string& home_page,
                  const std::string& enabled) {
  const std::string n = std::to_string(i);
  return {{"T" + n, title},     {"F" + n, file},      {"W" + n, folder},
          {"A" + n, arguments}, {"S" + n, state},     {"H" + n, band},
          {"D" + n, once},      {"P" + n, home_page}, {"C" + n, enabled}};
}

KeyValues Join(std::initializer_list<KeyValues> parts) {
  KeyValues all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

void WriteSettings(const KeyValues& values) {
  for (const auto& [name, text] : values)
    E2E_REQUIRE(WriteWindowValue(name.c_str(), text), "cannot seed the registry value " + name);
}

void WriteItemFile(const std::string& bytes) {
  E2E_REQUIRE(WriteFileBytes(ItemFilePath(), bytes), "cannot write the item file");
}

std::string ItemFileBytes() {
  std::string bytes;
  return ReadFileBytes(ItemFilePath(), &bytes) ? bytes : std::string("<missing>");
}

KeyValues SavedItems() {
  return ProfileSection(ItemFileBytes(), "Items");
}

HWND TitleList(HWND main) {
  HWND list = FindControl(main, WC_LISTVIEWA, IDC_T_LIST_BOX);
  return list ? list : FindControl(main, WC_LISTVIEWA);
}

HWND Control(HWND main, int id) {
  HWND control = FindControl(main, nullptr, id);
  E2E_CHECK(control != nullptr, "the main window has no control with id " + std::to_string(id));
  return control;
}

// Every value of the Window section is REG_SZ holding exactly its text and one NUL.
void CheckWindowValues(const KeyValues& expected) {
  for (const auto& [name, text] : expected) {
    RegValue value = ReadWindowValue(name.c_str());
    if (!E2E_CHECK(value.exists, "registry value " + name + " is missing")) continue;
    E2E_CHECK_EQ_AS("type of " + name, value.type, static_cast<DWORD>(REG_SZ));
    E2E_CHECK_EQ_AS("data of " + name, value.bytes, SzBytes(text));
  }
}

KeyValues DefaultWindowValues(const std::string& count) {
  return {{"Left", "0"}, {"Top", "0"},      {"Height", "333"}, {"Width", "485"},
          {"MP", ""},    {"Lanc", "1"},     {"Clear", "0"},    {"Caps", "0"},
          {"Num", "0"},  {"MenuIcon", "0"}, {"Count", count}};
}

void CheckBox(const BoxInfo& box, const std::string& caption, const std::string& text,
              const std::vector<std::string>& buttons, IconKind icon) {
  E2E_CHECK_EQ_AS("box caption", box.caption, caption);
  E2E_CHECK_EQ_AS("box text", box.text, text);
  E2E_CHECK_EQ_AS("box buttons", box.buttons, buttons);
  E2E_CHECK_EQ_AS("box icon", box.icon, icon);
}

std::string OpenBoxes(DWORD pid) {
  std::string texts;
  for (HWND box : MessageBoxes(pid)) texts += " " + Describe(TextOf(GetDlgItem(box, 0xFFFF)));
  return texts.empty() ? " none" : texts;
}

// The program must end on its own after the command, without asking anything.
void ExpectQuietExit(const Process& process) {
  DWORD code = 0;
  if (!E2E_CHECK(WaitForExit(process, &code),
                 "the program is still running; message boxes open:" + OpenBoxes(process.pid)))
    return;
  E2E_CHECK_EQ_AS("exit code", code, static_cast<DWORD>(0));
}

void CancelAndExpectExit(const Process& process, HWND main) {
  PressCommand(main, IDC_CANCEL_BTN);
  ExpectQuietExit(process);
}

HWND StartAndWaitForMain(const Process& process) {
  E2E_REQUIRE(process.handle != nullptr, "morvelin.exe did not start");
  HWND main = WaitForMainWindow(process);
  DWORD code = 0;
  E2E_REQUIRE(main != nullptr, "no visible main window; " +
                                   (WaitForExit(process, &code, 0)
                                        ? "the process ended with exit code " + std::to_string(code)
                                        : "message boxes open:" + OpenBoxes(process.pid)));
  return main;
}

// Brings the "Propertis" page to the front with a click on its tab.
void ShowOptionsPage(HWND main) {
  HWND tab = FindControl(main, WC_TABCONTROLA);
  RECT item{};
  E2E_REQUIRE(tab && TabItemRect(tab, 1, &item), "no second tab on the main window");
  PostClick(tab, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  E2E_CHECK(WaitUntil([&] { return SendOrZero(tab, TCM_GETCURSEL, 0, 0) == 1; }),
            "the options tab did not come to the front");
}

bool Responsive(HWND window) {
  LRESULT ignored = 0;
  return SendTimed(window, WM_NULL, 0, 0, &ignored);
}

bool ToolButtonEnabled(HWND main, int command_id) {
  for (HWND bar : ToolBars(main))
    for (const ToolButton& button : ReadToolBar(bar))
      if (button.id == command_id) return button.enabled;
  RecordFailure(__FILE__, __LINE__, "no tool button " + std::to_string(command_id));
  return false;
}

bool AnswerBox(DWORD pid, const std::string& caption, const std::string& text,
               const std::vector<std::string>& buttons, IconKind icon, const std::string& answer,
               const std::string& screenshot) {
  HWND box = WaitForMessageBox(pid);
  if (!box) {
    std::string why = "no box " + Describe(text) + " appeared";
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
      DWORD code = STILL_ACTIVE;
      if (GetExitCodeProcess(process, &code) && code != STILL_ACTIVE)
        why += "; the process ended with exit code " + std::to_string(code);
      CloseHandle(process);
    }
    RecordFailure(__FILE__, __LINE__, why);
    return false;
  }
  CheckBox(ReadBox(box), caption, text, buttons, icon);
  if (!screenshot.empty()) SaveScreenshot(screenshot);
  if (!ClickButton(box, answer)) {
    RecordFailure(__FILE__, __LINE__, "cannot answer " + Describe(answer));
    return false;
  }
  if (!WaitUntilGone(box)) RecordFailure(__FILE__, __LINE__, "the box stays after the answer");
  return true;
}

void OkAndExpectExit(const Process& process, HWND main) {
  PressCommand(main, IDC_OK_BTN);
  if (AnswerBox(process.pid, kInformation, kRestartQuestion, {kYes, kNo}, IconKind::Information,
                kNo))
    ExpectQuietExit(process);
}

}  // namespace e2e
