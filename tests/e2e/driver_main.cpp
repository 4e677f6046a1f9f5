// e2e_driver --case NAME --app FOLDER --out FOLDER: runs one end-to-end case against the
// program in FOLDER; exit code 0 when every check held. Other options go to GoogleTest
// (--gtest_list_tests lists the cases).

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e_support.h"

int main(int argc, char** argv) {
  e2e::RunSettings& settings = e2e::Settings();
  settings.app_dir = "C:\\e2e";
  settings.out_dir = "C:\\e2e\\out";
  std::vector<char*> gtest_args = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 < argc && option == "--case")
      settings.case_name = argv[++i];
    else if (i + 1 < argc && option == "--app")
      settings.app_dir = argv[++i];
    else if (i + 1 < argc && option == "--out")
      settings.out_dir = argv[++i];
    else
      gtest_args.push_back(argv[i]);
  }
  std::string filter = "--gtest_filter=e2e." + settings.case_name;
  if (!settings.case_name.empty()) gtest_args.push_back(filter.data());
  int gtest_argc = static_cast<int>(gtest_args.size());
  ::testing::InitGoogleTest(&gtest_argc, gtest_args.data());
  if (settings.case_name.empty() && !::testing::GTEST_FLAG(list_tests)) {
    std::fprintf(stderr, "usage: e2e_driver --case NAME [--app FOLDER] [--out FOLDER]\n");
    return 2;
  }
  // The first process that needs the desktop starts it; bringing it up here means that a
  // case's program never races the driver to start it.
  if (!IsWindow(GetDesktopWindow())) std::fprintf(stderr, "no desktop window\n");
  const int result = RUN_ALL_TESTS();
  if (!::testing::GTEST_FLAG(list_tests) &&
      ::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    std::fprintf(stderr, "no case named %s\n", settings.case_name.c_str());
    return 2;
  }
  return result;
}
