// The start-up places against Wine's own registry and folders.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapter_test_support.h"
#include "platform/app_error.h"
#include "platform/win32/win32_startup_sources.h"

namespace {

TEST(StartupSourcesTest, ValuesKeepTypeAndBytesAndFilesTheirBytes) {
  ScratchFolder scratch;
  Win32RawRegistry registry;
  Win32FileStore files;
  // A double-byte name longer in bytes than in characters, a 0x5C trail byte, a kept NUL.
  const std::string key = "Software\\MorvelinTest\\Raw";
  const RawValue value{"表示テスト名", kRegExpandText,
                       std::string("\"%TEMP%\\ソ表.exe\" /q\0", 21)};
  registry.Put(Hive::CurrentUser, key, value);
  EXPECT_EQ(registry.Values(Hive::CurrentUser, key), std::vector<RawValue>{value});
  EXPECT_TRUE(registry.MayWrite(Hive::CurrentUser, key));
  registry.Delete(Hive::CurrentUser, key, value.name);
  registry.Delete(Hive::CurrentUser, key, value.name);  // gone already: no error
  EXPECT_TRUE(registry.Values(Hive::CurrentUser, key).empty());
  EXPECT_FALSE(registry.MayWrite(Hive::CurrentUser, key + "\\Missing"));
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());

  SetEnvironmentVariableA("MORVELIN_TEST", "ソ表");
  EXPECT_EQ(files.Expanded("%MORVELIN_TEST%\\a %NO_SUCH_NAME%"), "ソ表\\a %NO_SUCH_NAME%");
  const std::string bytes("L\0\x5C\x81\r\n", 6), path = scratch.File("ソ表.bin");
  files.Create(path, bytes);
  EXPECT_EQ(files.Read(path), bytes);
  EXPECT_THROW(files.Create(path, "other"), AppError);  // never replaced
  files.MakeFolder(scratch.File("Sub"));
  EXPECT_EQ(files.FileNames(scratch.path()), std::vector<std::string>{"ソ表.bin"});
  EXPECT_THROW(files.MakeFolder(path), AppError);
  files.Delete(path);
  EXPECT_FALSE(files.Exists(path));
}

}  // namespace
