// Start-up entries against Wine's own registry and folders: values keep their type and bytes,
// shortcuts read back what they start, and an entry taken over and given back is as it was.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapter_test_support.h"
#include "common/registry_values.h"
#include "common/wait_and_files.h"
#include "fakes/fake_platform.h"
#include "platform/win32/win32_shell_links.h"
#include "platform/win32/win32_startup_sources.h"
#include "shell/adoption.h"

namespace {

TEST(StartupSourcesTest, RunValueAndShortcutGoIntoTheListAndComeBackByteForByte) {
  ComApartment com;
  ScratchFolder scratch;
  Win32RawRegistry registry;
  Win32FileStore files;
  Win32ShellLinks links;
  // An expandable value with a double-byte name and a 0x5C trail byte in its data.
  const RawValue value{"表示テスト", kRegExpandText, std::string("\"%TEMP%\\ソ表.exe\" /q\0", 21)};
  ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, kRunKeyPath, value.name, value.type, value.data));
  const std::string startup = scratch.File("Startup");
  ASSERT_TRUE(CreateDirectoryA(startup.c_str(), nullptr));
  auto link = links.Create();
  link->SetPath(TestProgramPath());
  link->SetArguments("--from-link");
  link->SetWorkingDirectory(scratch.path() + "\\");
  ASSERT_TRUE(link->Save(startup + "\\Tool.lnk"));
  const std::string link_bytes = files.Read(startup + "\\Tool.lnk").value_or("");

  FakeMessageBoxes boxes;
  boxes.answers = {BoxAnswer::Yes, BoxAnswer::Yes};
  MessageDialogs dialogs(boxes);
  ItemStore store;
  const std::string adopted = scratch.File("Adopted\\");
  Adoption adoption({registry, files, links}, dialogs, {store, [] { return true; }, [] {}},
                    adopted);
  const StartupLocations places{startup, "", adopted, "C:\\none.exe"};
  const auto entry = [&](const std::string& name) {
    for (const StartupEntry& e : ListStartupEntries({registry, files, links}, places, store.Rows()))
      if (e.name == name) return e;
    ADD_FAILURE() << name;
    return StartupEntry{};
  };

  const StartupEntry listed = entry(value.name);
  EXPECT_EQ(listed.value, value);
  EXPECT_EQ(listed.file, "%TEMP%\\ソ表.exe");
  EXPECT_FALSE(listed.read_only);
  const StartupEntry shortcut = entry("Tool.lnk");
  EXPECT_EQ(shortcut.command, TestProgramPath() + " --from-link");
  EXPECT_EQ(shortcut.folder, scratch.path() + "\\");

  ASSERT_TRUE(adoption.Adopt(listed));
  ASSERT_TRUE(adoption.Adopt(shortcut));
  EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, kRunKeyPath, value.name).exists);
  const RegValue kept = ReadRegValue(HKEY_CURRENT_USER, kAdoptedValuesPath, value.name);
  EXPECT_EQ(kept.type, static_cast<DWORD>(kRegExpandText));
  EXPECT_EQ(kept.bytes, value.data);
  EXPECT_FALSE(files.Exists(startup + "\\Tool.lnk"));
  EXPECT_EQ(files.Read(adopted + "Tool.lnk"), link_bytes);
  ASSERT_EQ(store.Size(), 2);
  EXPECT_EQ(store.Row(1).file, TestProgramPath());
  EXPECT_EQ(store.Row(1).args, "--from-link");

  ASSERT_TRUE(adoption.GiveBack(entry(value.name)));
  ASSERT_TRUE(adoption.GiveBack(entry("Tool.lnk")));
  const RegValue back = ReadRegValue(HKEY_CURRENT_USER, kRunKeyPath, value.name);
  EXPECT_EQ(back.type, static_cast<DWORD>(kRegExpandText));
  EXPECT_EQ(back.bytes, value.data);
  EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, kAdoptedValuesPath, value.name).exists);
  EXPECT_EQ(files.Read(startup + "\\Tool.lnk"), link_bytes);
  EXPECT_FALSE(files.Exists(adopted + "Tool.lnk"));
  EXPECT_EQ(store.Size(), 0);

  // A file where the folder of kept copies goes: the shortcut stays, and the box says so.
  ASSERT_TRUE(RemoveDirectoryA(adopted.c_str()));
  ASSERT_TRUE(WriteFileBytes(scratch.File("Adopted"), "in the way"));
  EXPECT_FALSE(adoption.Adopt(entry("Tool.lnk")));
  EXPECT_EQ(files.Read(startup + "\\Tool.lnk"), link_bytes);
  EXPECT_NE(boxes.shown.back().text.find("元の登録はそのままです"), std::string::npos);
  EXPECT_THROW(files.Create(startup + "\\Tool.lnk", "x"), AppError);
  EXPECT_FALSE(registry.MayWrite(Hive::CurrentUser, "Software\\NoSuchKeyOfOurs"));
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKeyPath, value.name.c_str());
}

}  // namespace
