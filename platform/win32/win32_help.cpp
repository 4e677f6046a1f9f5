#include "platform/win32/win32_help.h"

#include <windows.h>

bool Win32HelpViewer::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32HelpViewer::ShowContents(WindowHandle owner, const std::string& path) {
  WinHelpA(static_cast<HWND>(owner), path.c_str(), HELP_FINDER, 0);
}
