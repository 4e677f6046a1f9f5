#include "platform/win32/win32_system.h"

#include <windows.h>

void Win32System::Beep() {
  MessageBeep(0);
}

namespace {

// Without this privilege NT-family systems refuse the restart. Failure is left to
// ExitWindowsEx to report, which nobody asks.
void EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    return;
  }
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  }
  CloseHandle(token);
}

}  // namespace

void Win32System::RequestRestart() {
  EnableShutdownPrivilege();
  ExitWindowsEx(EWX_REBOOT, 0);
}

std::string Win32System::ProgramFilePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
    // A full buffer means the path was cut.
    if (length < size) {
      path.resize(length);
      return path;
    }
    path.assign(path.size() * 2, '\0');
  }
}

bool Win32SingleInstance::AnotherInstanceRuns(const std::string& name) {
  if (HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str())) {
    CloseHandle(existing);
    return true;
  }
  HANDLE created = CreateMutexA(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  // Another instance may have created it between the two calls, or holds it with rights
  // this process lacks.
  if (created && error == ERROR_ALREADY_EXISTS) {
    CloseHandle(created);
    return true;
  }
  if (!created) return error == ERROR_ACCESS_DENIED;
  // Held on purpose until the process ends.
  return false;
}
