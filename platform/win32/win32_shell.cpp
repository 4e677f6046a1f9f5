#include "platform/win32/win32_shell.h"

#include <windows.h>
// windows.h first: the shell header relies on its types.
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/win32_readiness.h"

ShellAnswer Win32Shell::Execute(WindowHandle owner, const std::string& file,
                                const std::string& arguments, const std::string& folder,
                                int show_command) {
  // Launches are fire-and-forget: the answer is reported, never acted upon.
  SetLastError(0);
  const HINSTANCE result = ShellExecuteA(static_cast<HWND>(owner), nullptr, file.c_str(),
                                         arguments.c_str(), folder.c_str(), show_command);
  ShellAnswer answer;
  answer.code = static_cast<int>(reinterpret_cast<INT_PTR>(result));
  if (!answer.Succeeded()) answer.system_error = GetLastError();
  return answer;
}

ShellAnswer Win32Shell::ExecuteWatched(WindowHandle owner, const std::string& file,
                                       const std::string& arguments, const std::string& folder,
                                       int show_command, std::unique_ptr<WatchedProcess>& process) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = static_cast<HWND>(owner);
  info.lpFile = file.c_str();
  info.lpParameters = arguments.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = show_command;
  SetLastError(0);
  const BOOL started = ShellExecuteExA(&info);
  ShellAnswer answer;
  answer.code = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
  // The same codes as the plain call, so that the report reads the same either way.
  if (!started && answer.Succeeded()) answer.code = 0;
  if (!answer.Succeeded()) answer.system_error = GetLastError();
  process = WatchProcess(info.hProcess);
  return answer;
}

void Win32Shell::ClearRecentDocuments() {
  SHAddToRecentDocs(SHARD_PIDL, nullptr);
}
