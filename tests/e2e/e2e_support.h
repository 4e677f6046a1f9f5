#pragma once

// The end-to-end driver's toolkit: cases as GoogleTest tests, checks that report through it
// with readable Shift-JIS, and the means to start the real program and look at it from outside
// (its windows, message boxes, controls, registry values, item file and what it launched).

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/registry_values.h"
#include "common/wait_and_files.h"

namespace e2e {

// ---- Cases -----------------------------------------------------------------------------------

using CaseFunction = void (*)();

// Runs a case's body: a required check that failed ends it, and programs it left are killed.
void RunCaseBody(const char* name, CaseFunction body);

// Defines a case as the test e2e.<name>; the build finds the names by this macro.
#define E2E_CASE(name)                           \
  static void e2e_case_##name();                 \
  TEST(e2e, name) {                              \
    ::e2e::RunCaseBody(#name, &e2e_case_##name); \
  }                                              \
  static void e2e_case_##name()

// Where the running case lives: its name, the program's folder and the folder for results.
struct RunSettings {
  std::string case_name;
  std::string app_dir;
  std::string out_dir;
};
RunSettings& Settings();

// ---- Checks ----------------------------------------------------------------------------------

// Thrown by a required check: the case cannot go on.
struct CaseAborted {};

void RecordFailure(const char* file, int line, const std::string& message);
void Log(const std::string& message);

// A Shift-JIS text made readable in the log (UTF-8, control characters escaped, and the raw
// bytes in hex when the text is not plain ASCII).
std::string Describe(const std::string& text);
std::string Describe(const char* text);
std::string Describe(bool value);
std::string Describe(const std::vector<std::string>& texts);
std::string Describe(const std::pair<std::string, std::string>& key_value);
template <class T>
requires std::is_arithmetic_v<T> std::string Describe(T value) {
  return std::to_string(value);
}
template <class T>
std::string Describe(const std::vector<T>& values) {
  std::string out = "[";
  for (size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + Describe(values[i]);
  return out + "]";
}

template <class A, class B>
bool CheckEqual(const A& actual, const B& expected, const std::string& what, const char* file,
                int line) {
  if (actual == expected) return true;
  RecordFailure(file, line,
                what + ": expected " + Describe(expected) + ", got " + Describe(actual));
  return false;
}

#define E2E_CHECK(condition, message)                                                           \
  ((condition)                                                                                  \
       ? true                                                                                   \
       : (::e2e::RecordFailure(__FILE__, __LINE__, std::string(#condition) + ": " + (message)), \
          false))
#define E2E_CHECK_EQ(actual, expected) \
  ::e2e::CheckEqual((actual), (expected), #actual, __FILE__, __LINE__)
// The same, naming the checked thing in words (for checks made in loops).
#define E2E_CHECK_EQ_AS(what, actual, expected) \
  ::e2e::CheckEqual((actual), (expected), (what), __FILE__, __LINE__)
// Records the failure and ends the case: later steps depend on this one.
#define E2E_REQUIRE(condition, message)                                                     \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      ::e2e::RecordFailure(__FILE__, __LINE__, std::string(#condition) + ": " + (message)); \
      throw ::e2e::CaseAborted{};                                                           \
    }                                                                                       \
  } while (0)

// ---- Waiting ---------------------------------------------------------------------------------

using ::kWaitLimitMs;
using ::WaitUntil;

// ---- Processes -------------------------------------------------------------------------------

struct Process {
  HANDLE handle = nullptr;
  DWORD pid = 0;
};

// Starts morvelin.exe from the program folder, with that folder as its current folder.
Process StartProgram(const std::string& arguments = "");
bool IsRunning(const Process& process);
// Waits for the process to end; false when it still runs after the limit.
bool WaitForExit(const Process& process, DWORD* exit_code, DWORD limit_ms = kWaitLimitMs);
// Ends every program and marker process still running in this prefix.
void KillLeftovers();

// ---- Windows and message boxes ---------------------------------------------------------------

std::string ClassNameOf(HWND window);
DWORD ProcessOf(HWND window);
// The window's text through WM_GETTEXT (works across processes).
std::string TextOf(HWND window);
RECT WindowRect(HWND window);
// Top-level windows of a class owned by the process (visible ones only, when asked).
std::vector<HWND> TopWindows(const char* class_name, DWORD pid, bool visible_only);
// The main window ("TForm1") of the process, or null.
HWND MainWindow(DWORD pid, bool visible_only = true);
HWND WaitForMainWindow(const Process& process, DWORD limit_ms = kWaitLimitMs);
// A descendant control by class (null for any) and control id (-1 for any).
HWND FindControl(HWND parent, const char* class_name, int id = -1);
std::vector<HWND> FindControls(HWND parent, const char* class_name);

// Sends a message and waits for the answer within the limit; false on time-out.
bool SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
LRESULT SendOrZero(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

enum class IconKind { None, Error, Warning, Information, Question, Unknown };
std::string Describe(IconKind kind);

struct BoxInfo {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;  // visible buttons, left to right
  IconKind icon = IconKind::Unknown;
};

// Visible message boxes ("#32770" with a message text control) of the process.
std::vector<HWND> MessageBoxes(DWORD pid);
// Waits for a message box of the process (its first one).
HWND WaitForMessageBox(DWORD pid, DWORD limit_ms = kWaitLimitMs);
// A visible dialog ("#32770") of the process with exactly this caption.
HWND FindDialog(DWORD pid, const std::string& caption);
HWND WaitForDialog(DWORD pid, const std::string& caption, DWORD limit_ms = kWaitLimitMs);
BoxInfo ReadBox(HWND box);
// Clicks the box's button with this text; false when there is no such button.
bool ClickButton(HWND dialog, const std::string& text);
// Clicks a dialog's push button by control id (BM_CLICK, answered before returning).
bool ClickButtonById(HWND dialog, int id);
// Clicks a dialog's button by posting the command it would send, for buttons whose handler may
// open a modal box (a sent click would block the driver until that box is answered).
void PostButtonCommand(HWND dialog, int id);
bool WaitUntilGone(HWND window, DWORD limit_ms = kWaitLimitMs);

// Presses a tool button: a posted WM_COMMAND, so that a modal box it opens cannot block us.
void PressCommand(HWND main_window, int command_id);

// ---- Controls across processes -----------------------------------------------------------------

bool IsChecked(HWND button);
// Clicks a button or check box (BM_CLICK, answered before returning).
bool Click(HWND button);
bool SetText(HWND control, const std::string& text);

struct ToolButton {
  int id = 0;
  std::string caption;
  bool enabled = false;
};
// The tool bars of the window in their reading order (top to bottom, left to right).
std::vector<HWND> ToolBars(HWND main_window);
// The buttons of one tool bar, separators left out.
std::vector<ToolButton> ReadToolBar(HWND tool_bar);
// Every tool button of the window, tool bar after tool bar.
std::vector<ToolButton> ReadAllToolButtons(HWND main_window);

// Status bar part text, through SB_GETTEXTA with a buffer in the program's process.
std::string StatusText(HWND status_bar, int part);

struct ListRow {
  std::string title;
  int state_image = 0;  // 1 unchecked, 2 checked, 0 no check box
  bool operator==(const ListRow&) const = default;
};
std::string Describe(const ListRow& row);
ListRow Row(const std::string& title, bool checked);

int ListCount(HWND list);
std::string ListText(HWND list, int row, int column = 0);
int ListStateImage(HWND list, int row);
std::vector<ListRow> ReadList(HWND list);
int ListSelection(HWND list);
bool SelectListRow(HWND list, int row);
bool SetListChecked(HWND list, int row, bool checked);
// The texts of a header control's items, left to right.
std::vector<std::string> HeaderTexts(HWND header);
// A header's or a tab control's item rectangle, in the control's client coordinates.
bool HeaderItemRect(HWND header, int index, RECT* rect);
bool TabItemRect(HWND tab, int index, RECT* rect);
// A left click at a point of the control: posted mouse messages, as the system would send
// them to the control under the pointer.
void PostClick(HWND control, POINT client_point);

// ---- Registry: HKCU\Software\Brel\Morvelin\Window ----------------------------------------------

bool WindowKeyExists();
RegValue ReadWindowValue(const char* name);
std::vector<std::string> WindowValueNames();
// Stores a REG_SZ value (text and one NUL).
bool WriteWindowValue(const char* name, const std::string& text);
// The bytes a REG_SZ holding this text must have.
std::string SzBytes(const std::string& text);

// ---- Files -----------------------------------------------------------------------------------

std::string AppPath(const std::string& file_name);
std::string ItemFilePath();
using ::FileExists;
using ::ReadFileBytes;
using ::WriteFileBytes;
// Key/value pairs of one section of a profile file, in file order.
std::vector<std::pair<std::string, std::string>> ProfileSection(const std::string& bytes,
                                                                const std::string& section);
std::string ProfileValue(const std::vector<std::pair<std::string, std::string>>& pairs,
                         const std::string& key, bool* found = nullptr);

// ---- Marker program ----------------------------------------------------------------------------

struct Mark {
  std::string file;
  std::string exe, args, cwd, show;
  unsigned long long created = 0;  // the process's creation time, 100 ns units
  std::string port;                // --probe: "open" or "closed"
};
// Marks left by marker.exe runs (one file per run in C:\e2e\marks).
std::vector<Mark> ReadMarks();

// ---- Linux tools -------------------------------------------------------------------------------

// Runs xdotool with `arguments` (real mouse and key events on the X display); false when it
// could not be started or did not end within the wait limit.
bool RunXdotool(const std::string& arguments);

// ---- Screenshots -------------------------------------------------------------------------------

// Saves the whole screen, or the window's rectangle, as <case>-<label>.bmp in the out folder;
// given a list, it waits first until the list's rows have painted.
bool SaveScreenshot(const std::string& label, HWND window = nullptr, HWND list = nullptr);

}  // namespace e2e
