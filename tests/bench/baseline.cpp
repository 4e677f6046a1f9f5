// The floor for the log-on run: the same shell launches and nothing else.
// baseline COUNT FILE FOLDER ARGPREFIX launches FILE COUNT times, the i-th time with the
// arguments "ARGPREFIX i", FOLDER as its folder and a normal window, without waiting.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 5) return 2;
  const int count = std::atoi(__argv[1]);
  const char* file = __argv[2];
  const char* folder = __argv[3];
  const std::string prefix = __argv[4];
  for (int i = 0; i < count; ++i) {
    const std::string arguments = prefix + " " + std::to_string(i);
    ShellExecuteA(nullptr, nullptr, file, arguments.c_str(), folder, SW_SHOWNORMAL);
  }
  return 0;
}
