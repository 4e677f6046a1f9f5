#include "platform/win32/win32_running_programs.h"

#include <windows.h>
// windows.h first: the tool-help header relies on its types.
#include <tlhelp32.h>

#include <vector>

#include "platform/app_error.h"
#include "platform/platform_texts.h"
#include "platform/win32/owned_handle.h"

namespace {

// The user's SID of a process token, as bytes; empty when it cannot be read.
std::vector<unsigned char> UserSidOf(HANDLE process) {
  OwnedKernelHandle token;
  if (!OpenProcessToken(process, TOKEN_QUERY, token.Receive())) return {};
  DWORD size = 0;
  GetTokenInformation(token.Get(), ::TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<unsigned char> buffer(size);
  if (!GetTokenInformation(token.Get(), ::TokenUser, buffer.data(), size, &size)) return {};
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
  const DWORD sid_size = GetLengthSid(user->User.Sid);
  const auto* sid = static_cast<const unsigned char*>(user->User.Sid);
  return std::vector<unsigned char>(sid, sid + sid_size);
}

}  // namespace

std::vector<std::string> Win32RunningPrograms::ProgramPaths() {
  const OwnedKernelHandle snapshot = OwnFileHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) throw AppError(texts::kErrNoProcessList);
  const std::vector<unsigned char> own_user = UserSidOf(GetCurrentProcess());
  std::vector<std::string> paths;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more;
       more = Process32Next(snapshot.Get(), &entry)) {
    const OwnedKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (!process) continue;
    // Another user's copy of a program does not stand in for this user's.
    if (own_user.empty() || UserSidOf(process.Get()) != own_user) continue;
    char path[MAX_PATH * 2];
    DWORD size = sizeof path;
    if (QueryFullProcessImageNameA(process.Get(), 0, path, &size)) paths.emplace_back(path, size);
  }
  return paths;
}
