#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "e2e_internal.h"
// After windows.h, which the support header brings.
#include <tlhelp32.h>

namespace e2e {

namespace {

struct EnumRequest {
  const char* class_name;
  DWORD pid;
  bool visible_only;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
  auto* request = reinterpret_cast<EnumRequest*>(param);
  if (request->visible_only && !IsWindowVisible(window)) return TRUE;
  if (request->pid && ProcessOf(window) != request->pid) return TRUE;
  if (request->class_name && ClassNameOf(window) != request->class_name) return TRUE;
  request->found.push_back(window);
  return TRUE;
}

}  // namespace

bool IsMessageBox(HWND dialog) {
  HWND text = GetDlgItem(dialog, kMessageTextId);
  if (!text || ClassNameOf(text) != "Static") return false;
  // The item and listing dialogs hold edits and lists; a message box never does.
  return FindControl(dialog, "Edit") == nullptr && FindControl(dialog, WC_LISTVIEWA) == nullptr &&
         FindControl(dialog, "ComboBox") == nullptr;
}

// ---- Processes ----

Process StartProgram(const std::string& arguments) {
  std::string exe = AppPath("morvelin.exe");
  std::string command_line = "\"" + exe + "\"";
  if (!arguments.empty()) command_line += " " + arguments;
  STARTUPINFOA start_info{};
  start_info.cb = sizeof start_info;
  PROCESS_INFORMATION info{};
  Process process;
  if (CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     Settings().app_dir.c_str(), &start_info, &info)) {
    CloseHandle(info.hThread);
    process.handle = info.hProcess;
    process.pid = info.dwProcessId;
    State().started.push_back(process);
    Log("started morvelin.exe " + Describe(arguments) + " as process " +
        std::to_string(process.pid));
  } else {
    Log("CreateProcess failed with error " + std::to_string(GetLastError()));
  }
  return process;
}

bool IsRunning(const Process& process) {
  return process.handle && WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT;
}

bool WaitForExit(const Process& process, DWORD* exit_code, DWORD limit_ms) {
  if (!process.handle) return false;
  if (WaitForSingleObject(process.handle, limit_ms) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeProcess(process.handle, &code);
  if (exit_code) *exit_code = code;
  return true;
}

void KillLeftovers() {
  for (const Process& p : State().started) {
    if (IsRunning(p)) {
      Log("ending leftover process " + std::to_string(p.pid));
      TerminateProcess(p.handle, 1);
      WaitForSingleObject(p.handle, kWaitLimitMs);
    }
  }
  // Markers (and anything the program started) are not ours to keep either.
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "morvelin.exe") != 0 && lstrcmpiA(entry.szExeFile, "marker.exe"))
      continue;
    HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (!h) continue;
    Log(std::string("ending leftover ") + entry.szExeFile + " " +
        std::to_string(entry.th32ProcessID));
    TerminateProcess(h, 1);
    WaitForSingleObject(h, kWaitLimitMs);
    CloseHandle(h);
  }
  CloseHandle(snapshot);
}

// ---- Windows ----

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

bool SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendLimitMs, &answer)) {
    Log("message " + std::to_string(message) + " got no answer");
    return false;
  }
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

LRESULT SendOrZero(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  return SendTimed(window, message, wParam, lParam, &result) ? result : 0;
}

std::string TextOf(HWND window) {
  std::string text(8192, '\0');
  LRESULT length = 0;
  if (!SendTimed(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &length))
    return {};
  text.resize(strnlen(text.data(), text.size()));
  return text;
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::vector<HWND> TopWindows(const char* class_name, DWORD pid, bool visible_only) {
  EnumRequest request{class_name, pid, visible_only, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

HWND MainWindow(DWORD pid, bool visible_only) {
  auto found = TopWindows("TForm1", pid, visible_only);
  return found.empty() ? nullptr : found.front();
}

HWND WaitForMainWindow(const Process& process, DWORD limit_ms) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = MainWindow(process.pid)) != nullptr || !IsRunning(process); },
            limit_ms);
  return window;
}

std::vector<HWND> FindControls(HWND parent, const char* class_name) {
  struct Request {
    const char* class_name;
    std::vector<HWND> found;
  } request{class_name, {}};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* r = reinterpret_cast<Request*>(param);
        if (!r->class_name || ClassNameOf(child) == r->class_name) r->found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&request));
  return request.found;
}

HWND FindControl(HWND parent, const char* class_name, int id) {
  for (HWND child : FindControls(parent, class_name))
    if (id == -1 || GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

std::string Describe(IconKind kind) {
  switch (kind) {
    case IconKind::None:
      return "no icon";
    case IconKind::Error:
      return "error icon";
    case IconKind::Warning:
      return "warning icon";
    case IconKind::Information:
      return "information icon";
    case IconKind::Question:
      return "question icon";
    case IconKind::Unknown:
      break;
  }
  return "unrecognised icon";
}

std::vector<HWND> MessageBoxes(DWORD pid) {
  std::vector<HWND> boxes;
  for (HWND dialog : TopWindows("#32770", pid, true))
    if (IsMessageBox(dialog)) boxes.push_back(dialog);
  return boxes;
}

HWND WaitForMessageBox(DWORD pid, DWORD limit_ms) {
  HWND box = nullptr;
  // A process that has ended shows no box: stop waiting then.
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  WaitUntil(
      [&] {
        auto boxes = MessageBoxes(pid);
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr || (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0);
      },
      limit_ms);
  if (process) CloseHandle(process);
  return box;
}

HWND FindDialog(DWORD pid, const std::string& caption) {
  for (HWND dialog : TopWindows("#32770", pid, true))
    if (TextOf(dialog) == caption) return dialog;
  return nullptr;
}

HWND WaitForDialog(DWORD pid, const std::string& caption, DWORD limit_ms) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(pid, caption)) != nullptr; }, limit_ms);
  return dialog;
}

BoxInfo ReadBox(HWND box) {
  BoxInfo info;
  info.window = box;
  info.caption = TextOf(box);
  if (HWND text = GetDlgItem(box, kMessageTextId)) info.text = TextOf(text);
  std::vector<std::pair<LONG, std::string>> buttons;
  for (HWND button : FindControls(box, "Button"))
    if (IsWindowVisible(button)) buttons.emplace_back(WindowRect(button).left, TextOf(button));
  std::stable_sort(buttons.begin(), buttons.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& b : buttons) info.buttons.push_back(b.second);
  // The icon is judged by its pixels, so wait until it has been painted.
  WaitUntil([&] { return (info.icon = ClassifyIcon(box)) != IconKind::Unknown; });
  Log("box " + Describe(info.caption) + ": " + Describe(info.text) + " " + Describe(info.buttons) +
      " " + Describe(info.icon));
  return info;
}

bool ClickButton(HWND dialog, const std::string& text) {
  for (HWND button : FindControls(dialog, "Button")) {
    if (IsWindowVisible(button) && TextOf(button) == text) {
      LRESULT ignored = 0;
      return SendTimed(button, BM_CLICK, 0, 0, &ignored);
    }
  }
  Log("no button " + Describe(text));
  return false;
}

bool ClickButtonById(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button && Click(button);
}

bool Click(HWND button) {
  LRESULT ignored = 0;
  return SendTimed(button, BM_CLICK, 0, 0, &ignored);
}

void PostButtonCommand(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitUntilGone(HWND window, DWORD limit_ms) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, limit_ms);
}

void PressCommand(HWND main_window, int command_id) {
  HWND source = nullptr;
  for (HWND tool_bar : FindControls(main_window, TOOLBARCLASSNAMEA))
    if (SendOrZero(tool_bar, TB_COMMANDTOINDEX, static_cast<WPARAM>(command_id), 0) != -1)
      source = tool_bar;
  PostMessageA(main_window, WM_COMMAND, MAKEWPARAM(command_id, BN_CLICKED),
               reinterpret_cast<LPARAM>(source));
}

}  // namespace e2e
