#include "platform/win32/win32_system.h"

#include <windows.h>

#include "platform/win32/owned_handle.h"

void Win32System::Beep() {
  MessageBeep(0);
}

namespace {

// Without this privilege NT-family systems refuse the restart. Failure is left to
// ExitWindowsEx to report, which nobody asks.
void EnableShutdownPrivilege() {
  OwnedKernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                        token.Receive())) {
    return;
  }
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
  }
}

}  // namespace

void Win32System::RequestRestart() {
  EnableShutdownPrivilege();
  ExitWindowsEx(EWX_REBOOT, 0);
}

std::string Win32System::ProgramFilePath() {
  // The wide name, converted here: the ANSI call may cut a Shift-JIS path that is longer
  // in bytes than in characters and still report it as whole.
  std::wstring wide(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(wide.size());
    const DWORD length = GetModuleFileNameW(nullptr, wide.data(), size);
    if (length == 0) return {};
    if (length < size) {
      wide.resize(length);
      break;
    }
    wide.assign(wide.size() * 2, L'\0');
  }
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string path(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) {
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), path.data(), bytes,
                        nullptr, nullptr);
  }
  return path;
}

bool Win32SingleInstance::AnotherInstanceRuns(const std::string& name) {
  if (OwnedKernelHandle(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str()))) return true;
  OwnedKernelHandle created(CreateMutexA(nullptr, FALSE, name.c_str()));
  const DWORD error = GetLastError();
  // Another instance may have created it between the two calls, or holds it with rights
  // this process lacks.
  if (created && error == ERROR_ALREADY_EXISTS) return true;
  if (!created) return error == ERROR_ACCESS_DENIED;
  // Held on purpose until the process ends, even past this object.
  held_ = created.Release();
  return false;
}

void Win32SingleInstance::LetGo() {
  if (held_) CloseHandle(held_);
  held_ = nullptr;
}
