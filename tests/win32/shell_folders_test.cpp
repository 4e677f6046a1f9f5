#include "shell/shell_folders.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapter_test_support.h"
#include "platform/app_error.h"
#include "platform/win32/win32_registry.h"

namespace {

TEST(ShellFoldersTest, OpensWithoutCreatingAndReadsTheRealKey) {
  Win32Registry registry;
  const std::string relative = "Software\\MorvelinTest\\" + UniqueName("missing");
  EXPECT_EQ(registry.OpenExistingCurrentUserKey("\\" + relative), nullptr);
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, relative.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);

  // A fresh prefix publishes the desktop folder there.
  const std::string desktop = GetShellFolder(registry, ShellFolderIndex::Desktop);
  EXPECT_GT(desktop.size(), 3u);
  EXPECT_EQ(desktop.back(), '\\');
  EXPECT_NE(desktop.find("Desktop"), std::string::npos) << desktop;
}

}  // namespace
