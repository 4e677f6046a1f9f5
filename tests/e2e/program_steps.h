#pragma once

// Steps and checks that many cases share: seeding the stored state, starting the program and
// finding its parts, reading and answering its message boxes, and ending it.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "e2e_support.h"

namespace e2e {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// Texts of the program's boxes.
inline constexpr char kInformation[] = "情報";
inline constexpr char kWarning[] = "警告";
inline constexpr char kError[] = "エラー";
inline constexpr char kYes[] = "はい(&Y)";
inline constexpr char kNo[] = "いいえ(&N)";
inline constexpr char kOk[] = "OK";
inline constexpr char kRestartQuestion[] = "今すぐWindowsを再起動しますか？";

// ---- Stored state ----

// A profile file as the program's item file holds it: Shift-JIS, CRLF, one section "Items".
std::string ItemFile(const KeyValues& keys);
// All nine keys of row i, in the order a person editing the file by hand would write them.
KeyValues RowKeys(int i, const std::string& title, const std::string& file,
                  const std::string& folder, const std::string& arguments, const std::string& state,
                  const std::string& band, const std::string& once, const std::string& home_page,
                  const std::string& enabled);
KeyValues Join(std::initializer_list<KeyValues> parts);
// Seeds values of the Window section (REG_SZ); the case stops when that fails.
void WriteSettings(const KeyValues& values);
void WriteItemFile(const std::string& bytes);
// The item file's bytes, or "<missing>".
std::string ItemFileBytes();
// The "Items" section of the item file as it is now.
KeyValues SavedItems();
// Every named value is REG_SZ holding exactly its text and one NUL.
void CheckWindowValues(const KeyValues& expected);
KeyValues DefaultWindowValues(const std::string& count);

// ---- The running program ----

HWND StartAndWaitForMain(const Process& process);
HWND TitleList(HWND main);
// A control of the main window by id; records a failure when it is missing.
HWND Control(HWND main, int id);
// Brings the options page to the front with a click on its tab.
void ShowOptionsPage(HWND main);
bool Responsive(HWND window);
// Whether a tool button of the main window is enabled.
bool ToolButtonEnabled(HWND main, int command_id);

// ---- Message boxes ----

void CheckBox(const BoxInfo& box, const std::string& caption, const std::string& text,
              const std::vector<std::string>& buttons, IconKind icon);
// The texts of the boxes the process shows, for failure messages.
std::string OpenBoxes(DWORD pid);
// Waits for a box of the process, checks it and answers it; false when no box came.
bool AnswerBox(DWORD pid, const std::string& caption, const std::string& text,
               const std::vector<std::string>& buttons, IconKind icon, const std::string& answer,
               const std::string& screenshot = "");

// ---- Ending ----

// The program must end on its own, asking nothing, with exit code 0.
void ExpectQuietExit(const Process& process);
void CancelAndExpectExit(const Process& process, HWND main);
// OK, the restart question answered No, and the end of the process.
void OkAndExpectExit(const Process& process, HWND main);

}  // namespace e2e
