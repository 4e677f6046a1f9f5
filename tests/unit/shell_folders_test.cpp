#include "shell/shell_folders.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_platform.h"

namespace {

constexpr char kKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(GetShellFolder, FourOutcomes) {
  FakeRegistry registry;
  registry.Set("", "Desktop", "C:\\WINDOWS\\Desktop");
  registry.Set("", "Start Menu", "C:\\WINDOWS\\Start Menu");
  registry.Set("", "Personal", "");
  registry.values["\\Fonts"] = FakeRegistry::Value{"C:\\Fonts", false};

  EXPECT_EQ(GetShellFolder(registry, ShellFolderIndex::Desktop), "C:\\WINDOWS\\Desktop\\");
  EXPECT_EQ(GetShellFolder(registry, ShellFolderIndex::StartMenu), "C:\\WINDOWS\\Start Menu\\");
  EXPECT_EQ(GetShellFolder(registry, ShellFolderIndex::Personal), "\\");   // empty value
  EXPECT_EQ(GetShellFolder(registry, ShellFolderIndex::Templates), "\\");  // missing value
  try {
    GetShellFolder(registry, ShellFolderIndex::Fonts);
    FAIL() << "a value that is not text was read";
  } catch (const AppError& error) {
    EXPECT_NE(std::string(error.what()).find("'Fonts'"), std::string::npos) << error.what();
  }
  EXPECT_EQ(registry.open_keys, 0);
  // Every call opened the key without creating it, and read anew.
  EXPECT_EQ(registry.opened_paths.size(), 5u);
  for (const std::string& path : registry.opened_paths) EXPECT_EQ(path, kKey);
  registry.Set("", "Desktop", "D:\\Desk");
  EXPECT_EQ(GetShellFolder(registry, ShellFolderIndex::Desktop), "D:\\Desk\\");

  registry.missing_keys = {kKey};
  EXPECT_EQ(GetShellFolder(registry, ShellFolderIndex::Desktop), "");
}

}  // namespace
