#include "adapter_test_support.h"

#include <fstream>
#include <iterator>
#include <sstream>

std::string UniqueName(const std::string& prefix) {
  static int counter = 0;
  std::ostringstream name;
  name << prefix << '-' << GetCurrentProcessId() << '-' << GetTickCount64() << '-' << ++counter;
  return name.str();
}

std::string TestProgramPath() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

bool CaptionFits(HWND button) {
  char text[64] = {};
  GetWindowTextA(button, text, sizeof text);
  HDC dc = GetDC(button);
  HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0)));
  RECT needed{};
  DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old_font);
  ReleaseDC(button, dc);
  RECT client{};
  GetClientRect(button, &client);
  return needed.right - needed.left + 4 <= client.right;
}

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + UniqueName("adapter-test");
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  RemoveTree(path_);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
  SetEnvironmentVariableA(name, value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  SetEnvironmentVariableA(name_, nullptr);
}

HANDLE StartChild(const std::string& program, const std::string& mode) {
  ScopedEnvironment child_mode(kChildModeVariable, mode);
  std::string command_line = "\"" + program + "\"";
  STARTUPINFOA start_info{};
  start_info.cb = sizeof start_info;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &start_info, &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

DWORD WaitForExitCode(HANDLE process, DWORD limit_ms) {
  if (!process) return kChildFailed;
  DWORD code = kChildFailed;
  if (WaitForSingleObject(process, limit_ms) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return code;
}
