// When started with the child-mode variable set, this program does one small job for a test
// in another process and ends before the tests' main runs.

#include <fstream>
#include <string>

#include "adapter_test_support.h"
#include "platform/win32/win32_system.h"

namespace {

// Writes the file whole under a temporary name first, so a waiting test never reads half.
void WriteWhole(const std::string& path, const std::string& content) {
  const std::string partial = path + ".part";
  {
    std::ofstream out(partial, std::ios::binary);
    out << content;
  }
  MoveFileA(partial.c_str(), path.c_str());
}

// The command line after the program's own name.
std::string ArgumentsOfThisProcess() {
  std::string line = GetCommandLineA();
  size_t at = 0;
  if (!line.empty() && line[0] == '"') {
    at = line.find('"', 1);
    at = at == std::string::npos ? line.size() : at + 1;
  } else {
    at = line.find(' ');
    if (at == std::string::npos) at = line.size();
  }
  if (at < line.size() && line[at] == ' ') ++at;
  return line.substr(at);
}

// "launch:<file>": records the arguments, the current folder and the show command.
void RecordLaunch(const std::string& record_path) {
  char folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  STARTUPINFOA start_info{};
  start_info.cb = sizeof start_info;
  GetStartupInfoA(&start_info);
  const int show = (start_info.dwFlags & STARTF_USESHOWWINDOW) ? start_info.wShowWindow : -1;
  WriteWhole(record_path, ArgumentsOfThisProcess() + "\n" + folder + "\n" + std::to_string(show));
}

// "hold:<mutex>": takes the single-instance mutex and keeps it until told to end.
DWORD HoldInstance(const std::string& name) {
  Win32SingleInstance instance;
  if (instance.AnotherInstanceRuns(name)) return kChildSawAnotherInstance;
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + "-ready").c_str());
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, (name + "-release").c_str());
  if (!ready || !release) return kChildFailed;
  SetEvent(ready);
  WaitForSingleObject(release, 60000);
  return kChildSawNoOtherInstance;
}

DWORD RunChild(const std::string& mode) {
  const auto colon = mode.find(':');
  const std::string kind = mode.substr(0, colon);
  const std::string detail = colon == std::string::npos ? "" : mode.substr(colon + 1);
  if (kind == "launch") {
    RecordLaunch(detail);
    return 0;
  }
  if (kind == "instance") {
    return Win32SingleInstance().AnotherInstanceRuns(detail) ? kChildSawAnotherInstance
                                                             : kChildSawNoOtherInstance;
  }
  if (kind == "hold") return HoldInstance(detail);
  if (kind == "path") {
    WriteWhole(detail, Win32System().ProgramFilePath());
    return 0;
  }
  return kChildFailed;
}

const bool child_mode_checked = [] {
  char mode[4096] = {};
  const DWORD length = GetEnvironmentVariableA(kChildModeVariable, mode, sizeof mode);
  if (length > 0 && length < sizeof mode) ExitProcess(RunChild(mode));
  return true;
}();

}  // namespace
