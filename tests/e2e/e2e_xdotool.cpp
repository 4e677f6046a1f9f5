#include <string>

#include "e2e_support.h"

namespace e2e {

// xdotool is a Linux program; Wine starts it like any other.
bool RunXdotool(const std::string& arguments) {
  std::string command = "xdotool " + arguments;
  STARTUPINFOA start_info{};
  start_info.cb = sizeof start_info;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA("Z:\\usr\\bin\\xdotool", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &start_info, &info)) {
    Log("xdotool could not be started: error " + std::to_string(GetLastError()));
    return false;
  }
  // Wine reports neither a Linux program's exit code nor, always, its end faithfully (the wait
  // may fail at once): only a wait that runs out counts as a failure.
  const bool ended = WaitForSingleObject(info.hProcess, kWaitLimitMs) != WAIT_TIMEOUT;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ended;
}

}  // namespace e2e
