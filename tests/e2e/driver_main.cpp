// e2e_driver --case NAME --app FOLDER --out FOLDER: runs one end-to-end case against the
// program in FOLDER; exit code 0 when every check held. --list prints the registered cases.

#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e_support.h"

int main(int argc, char** argv) {
  e2e::RunSettings& settings = e2e::Settings();
  settings.app_dir = "C:\\e2e";
  settings.out_dir = "C:\\e2e\\out";
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--list") {
      for (const auto& c : e2e::RegisteredCases()) std::printf("%s\n", c.name.c_str());
      return 0;
    }
    if (i + 1 >= argc) break;
    if (option == "--case")
      settings.case_name = argv[++i];
    else if (option == "--app")
      settings.app_dir = argv[++i];
    else if (option == "--out")
      settings.out_dir = argv[++i];
  }
  if (settings.case_name.empty()) {
    std::fprintf(stderr, "usage: e2e_driver --case NAME [--app FOLDER] [--out FOLDER] | --list\n");
    return 2;
  }
  // The first process that needs the desktop starts it; bringing it up here means that a
  // case's program never races the driver to start it.
  if (!IsWindow(GetDesktopWindow())) std::fprintf(stderr, "no desktop window\n");
  int failures = e2e::RunCase(settings.case_name);
  if (failures < 0) {
    std::fprintf(stderr, "no case named %s\n", settings.case_name.c_str());
    return 2;
  }
  return failures == 0 ? 0 : 1;
}
