// The item-file editor against the system's own per-key writes, and its one-step replacement.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "adapter_test_support.h"
#include "platform/app_error.h"
#include "platform/profile_text.h"
#include "platform/win32/win32_profile_files.h"

namespace {

class ProfileReplaceTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  Win32ProfileFiles files_;

  void Replace(const std::string& path, const std::string& section,
               const std::vector<ProfileWrite>& writes) {
    auto file = files_.Open(path);
    file->ReplaceAll(EditProfileText(file->ReadAll(), section, writes));
  }
};

// Rounds of writes (new keys, rewritten keys in any case, Shift-JIS values, leading blanks, a
// second section, empty values) applied both ways to files that start alike: byte for byte the
// same after every round.
TEST_F(ProfileReplaceTest, SameBytesAsPerKeyWritesOnWellFormedFiles) {
  const std::string by_keys = folder_.File("keys.ini");
  const std::string by_edit = folder_.File("edit.ini");
  const char* values[] = {
      "メモ帳", "C:\\Program Files\\ソフト\\a.exe", "", "  blank", "1", "x=y", "000/00",
      "ソ表示", "http://example.test/?a=1;b"};
  const char* keys[] = {"T0", "C0", "F0", "t0", "D1", "P12", "d1", "A3", "Key_x"};
  unsigned seed = 12345;
  auto next = [&seed](unsigned range) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % range;
  };
  for (int round = 0; round < 40; ++round) {
    const std::string section = next(5) == 0 ? "Other" : (next(2) ? "Items" : "ITEMS");
    std::vector<ProfileWrite> writes;
    const unsigned count = 1 + next(6);
    for (unsigned i = 0; i < count; ++i) writes.push_back({keys[next(9)], values[next(9)]});
    auto file = files_.Open(by_keys);
    for (const ProfileWrite& write : writes)
      ASSERT_NO_THROW(file->WriteKey(section, write.key, write.value));
    Replace(by_edit, section, writes);
    ASSERT_EQ(ReadFileBytes(by_edit), ReadFileBytes(by_keys)) << "round " << round;
  }
  EXPECT_FALSE(FileExists(by_edit + ".new"));
  // And what the editor wrote reads back through the system.
  auto file = files_.Open(by_edit);
  std::string value;
  ASSERT_TRUE(FindProfileValue(ReadFileBytes(by_edit), "Items", "T0", &value));
  EXPECT_EQ(file->ReadKey("Items", "T0"), value);
}

TEST_F(ProfileReplaceTest, ReplacementKeepsBytesTheSystemWouldRewrite) {
  const std::string path = folder_.File("odd.ini");
  const std::string odd = std::string("\xEF\xBB\xBF[Items]\r\nT0=\x83\x81\x82", 17) +
                          std::string(1, '\0') + "z\r\n; note\r\nD0=100/00\r\n";
  {
    auto file = files_.Open(path);
    file->ReplaceAll(odd);
  }
  ASSERT_EQ(ReadFileBytes(path), odd);
  Replace(path, "Items", {{"D0", "112/06"}});
  std::string expected = odd;
  expected.replace(expected.find("100/00"), 6, "112/06");
  EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST_F(ProfileReplaceTest, FailedReplacementLeavesTheOldFileWhole) {
  const std::string path = folder_.File("Morvelin.ini");
  Replace(path, "Items", {{"T0", "old"}});
  const std::string before = ReadFileBytes(path);
  // A folder where the new copy would go: it cannot be written.
  ASSERT_TRUE(CreateDirectoryA((path + ".new").c_str(), nullptr));
  auto file = files_.Open(path);
  try {
    file->ReplaceAll("[Items]\r\nT0=new\r\n");
    ADD_FAILURE() << "no error";
  } catch (const AppError& e) {
    EXPECT_EQ(std::string(e.what()), path + " に書き込めません");
  }
  EXPECT_EQ(ReadFileBytes(path), before);
  EXPECT_EQ(files_.Open(folder_.File("missing.ini"))->ReadAll(), "");
}

// A reader holding the old file makes the one-step replacement fail for as long as it holds it:
// a short hold delays the save, a hold that never ends fails it with the old bytes kept.
TEST_F(ProfileReplaceTest, ReplacementWaitsOutAReaderOfTheOldFile) {
  const std::string path = folder_.File("Morvelin.ini");
  Replace(path, "Items", {{"T0", "old"}});
  const auto hold = [&path] {
    return CreateFileA(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  };

  HANDLE reader = hold();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::thread release([reader] {
    Sleep(100);
    CloseHandle(reader);
  });
  EXPECT_NO_THROW(Replace(path, "Items", {{"T0", "new"}}));
  release.join();
  EXPECT_EQ(ReadFileBytes(path), "[Items]\r\nT0=new\r\n");

  reader = hold();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  const std::string held = ReadFileBytes(path);
  EXPECT_THROW(Replace(path, "Items", {{"T0", "never"}}), AppError);
  CloseHandle(reader);
  EXPECT_EQ(ReadFileBytes(path), held);
  EXPECT_FALSE(FileExists(path + ".new"));
}

}  // namespace
