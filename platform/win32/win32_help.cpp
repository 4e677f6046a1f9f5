#include "platform/win32/win32_help.h"

#include <windows.h>

bool Win32HelpViewer::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32HelpViewer::HasWinHelp() {
  // The version the system reports, not a try of the viewer: newer systems answer WinHelp
  // calls with a stub that only explains that the viewer is gone.
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return false;
  return version.dwMajorVersion < 6;
}

void Win32HelpViewer::ShowContents(WindowHandle owner, const std::string& path) {
  WinHelpA(static_cast<HWND>(owner), path.c_str(), HELP_FINDER, 0);
}

void Win32HelpViewer::ShowContext(WindowHandle owner, const std::string& path, int number) {
  WinHelpA(static_cast<HWND>(owner), path.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(number));
}

bool Win32HelpViewer::OpenPage(WindowHandle owner, const std::string& path) {
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(
      static_cast<HWND>(owner), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}
