#include "platform/win32/win32_shell.h"

#include <windows.h>
// windows.h first: the shell header relies on its types.
#include <shellapi.h>
#include <shlobj.h>

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

void Win32Shell::ClearRecentDocuments() {
  SHAddToRecentDocs(SHARD_PIDL, nullptr);
}
