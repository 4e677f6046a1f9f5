// The start-up places against Wine's own registry and folders.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapter_test_support.h"
#include "platform/app_error.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_entry_sources.h"

namespace {

TEST(EntrySourcesTest, ValuesKeepTypeAndBytesAndFilesTheirBytes) {
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
  EXPECT_EQ(files.FileNames(scratch.path()), (std::vector<FolderFile>{{"ソ表.bin", true}}));
  EXPECT_THROW(files.MakeFolder(path), AppError);
  files.Delete(path);
  EXPECT_FALSE(files.Exists(path));
}

TEST(EntrySourcesTest, NamesOutsideTheCodePageAreToldApartAndCopiesKeepAttributesAndTimes) {
  ScratchFolder scratch;
  Win32FileStore files;
  const std::wstring folder(scratch.path().begin(), scratch.path().end());
  for (const wchar_t* name : {L"\uD55C\uAE00.txt", L"caf\u00E9.txt", L"cafe.txt"})
    CloseHandle(CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  int exact = 0, inexact = 0;
  for (const FolderFile& file : files.FileNames(scratch.path())) {
    (file.exact ? exact : inexact)++;
    if (file.exact) {
      EXPECT_EQ(file.name, "cafe.txt");
    }
  }
  EXPECT_EQ(exact * 10 + inexact, 12);

  const std::string from = scratch.File("a.lnk"), to = scratch.File("b.lnk");
  files.Create(from, "A");
  files.Create(to, "A");
  const OwnedKernelHandle handle = OwnFileHandle(
      CreateFileA(from.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  const FILETIME old{0x12345678, 0x01C00000};
  ASSERT_TRUE(SetFileTime(handle.Get(), &old, &old, &old));
  ASSERT_TRUE(SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  files.CopyFacts(from, to);
  WIN32_FILE_ATTRIBUTE_DATA copied{};
  ASSERT_TRUE(GetFileAttributesExA(to.c_str(), GetFileExInfoStandard, &copied));
  EXPECT_EQ(copied.dwFileAttributes, GetFileAttributesA(from.c_str()));
  EXPECT_TRUE(copied.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(CompareFileTime(&copied.ftLastWriteTime, &old), 0);
  files.Delete(to);  // read-only, and gone all the same
  EXPECT_FALSE(files.Exists(to));
  SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
