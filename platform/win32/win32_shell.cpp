#include "platform/win32/win32_shell.h"

#include <windows.h>
// windows.h first: the shell header relies on its types.
#include <shellapi.h>
#include <shlobj.h>

void Win32Shell::Execute(WindowHandle owner, const std::string& file, const std::string& arguments,
                         const std::string& folder, int show_command) {
  // Launches are fire-and-forget: whatever the shell reports is not acted upon.
  ShellExecuteA(static_cast<HWND>(owner), nullptr, file.c_str(), arguments.c_str(), folder.c_str(),
                show_command);
}

void Win32Shell::ClearRecentDocuments() {
  SHAddToRecentDocs(SHARD_PIDL, nullptr);
}
