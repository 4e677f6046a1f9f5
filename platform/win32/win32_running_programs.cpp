#include "platform/win32/win32_running_programs.h"

#include <windows.h>
// windows.h first: the tool-help header relies on its types.
#include <tlhelp32.h>

#include <vector>

#include "platform/app_error.h"

namespace {

struct HandleCloser {
  HANDLE handle;
  ~HandleCloser() {
    if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

// The user's SID of a process token, as bytes; empty when it cannot be read.
std::vector<unsigned char> UserSidOf(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
  const HandleCloser closer{token};
  DWORD size = 0;
  GetTokenInformation(token, ::TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<unsigned char> buffer(size);
  if (!GetTokenInformation(token, ::TokenUser, buffer.data(), size, &size)) return {};
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
  const DWORD sid_size = GetLengthSid(user->User.Sid);
  const auto* sid = static_cast<const unsigned char*>(user->User.Sid);
  return std::vector<unsigned char>(sid, sid + sid_size);
}

}  // namespace

std::vector<std::string> Win32RunningPrograms::ProgramPaths() {
  const HandleCloser snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
  if (snapshot.handle == INVALID_HANDLE_VALUE) throw AppError("process list unavailable");
  const std::vector<unsigned char> own_user = UserSidOf(GetCurrentProcess());
  std::vector<std::string> paths;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.handle, &entry); more;
       more = Process32Next(snapshot.handle, &entry)) {
    const HandleCloser process{
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID)};
    if (!process.handle) continue;
    // Another user's copy of a program does not stand in for this user's.
    if (own_user.empty() || UserSidOf(process.handle) != own_user) continue;
    char path[MAX_PATH * 2];
    DWORD size = sizeof path;
    if (QueryFullProcessImageNameA(process.handle, 0, path, &size)) paths.emplace_back(path, size);
  }
  return paths;
}
