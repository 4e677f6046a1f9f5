#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapter_test_support.h"
#include "platform/app_error.h"
#include "platform/win32/win32_profile_files.h"

namespace {

class ProfileFilesTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  std::string path_ = folder_.File("Morvelin.ini");
  Win32ProfileFiles files_;
};

TEST_F(ProfileFilesTest, KeysLandOnDiskInWriteOrderAsShiftJisWithCrLf) {
  auto file = files_.Open(path_);
  EXPECT_EQ(file->Path(), path_);
  file->WriteKey("Items", "T0", "メモ帳");
  file->WriteKey("Items", "C0", "1");
  file->WriteKey("Items", "T1", "ソ表示");
  file->WriteKey("Items", "C1", "0");
  file->WriteKey("Items", "F0", "C:\\Program Files\\ソフト\\a.exe");
  file->WriteKey("Items", "A0", "");

  EXPECT_EQ(ReadFileBytes(path_),
            "[Items]\r\n"
            "T0=\x83\x81\x83\x82\x92\xA0\r\n"
            "C0=1\r\n"
            "T1=\x83\x5C\x95\x5C\x8E\xA6\r\n"
            "C1=0\r\n"
            "F0=C:\\Program Files\\\x83\x5C\x83\x74\x83\x67\\a.exe\r\n"
            "A0=\r\n");
}

TEST_F(ProfileFilesTest, RewritingAKeyKeepsItsPlace) {
  auto file = files_.Open(path_);
  file->WriteKey("Items", "D0", "000/00");
  file->WriteKey("Items", "D1", "000/00");
  file->WriteKey("Items", "D0", "112/06");
  EXPECT_EQ(ReadFileBytes(path_), "[Items]\r\nD0=112/06\r\nD1=000/00\r\n");
  EXPECT_EQ(file->ReadKey("Items", "D0"), "112/06");
}

TEST_F(ProfileFilesTest, ReadsWhatIsOnDiskNow) {
  auto file = files_.Open(path_);
  EXPECT_EQ(file->ReadKey("Items", "T0"), "") << "a missing file reads as empty";
  {
    HANDLE out = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    const std::string content = "[Items]\r\nT0=ソ表示\r\nS0=2\r\n";
    DWORD written = 0;
    WriteFile(out, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(out);
  }
  EXPECT_EQ(file->ReadKey("Items", "T0"), "ソ表示");
  EXPECT_EQ(file->ReadKey("Items", "S0"), "2");
  EXPECT_EQ(file->ReadKey("Items", "P0"), "");
  EXPECT_EQ(file->ReadKey("Other", "T0"), "");
}

TEST_F(ProfileFilesTest, LongValuesAreReadWhole) {
  auto file = files_.Open(path_);
  // Around the sizes where a fixed or doubling buffer would cut.
  for (size_t length : {2046u, 2047u, 2048u, 3000u, 4095u, 4096u, 10000u}) {
    std::string value;
    for (size_t i = 0; value.size() < length; ++i) value += static_cast<char>('a' + i % 26);
    const std::string key = "P" + std::to_string(length);
    file->WriteKey("Items", key, value);
    const std::string read = file->ReadKey("Items", key);
    EXPECT_EQ(read.size(), length);
    EXPECT_EQ(read, value) << length;
  }
}

TEST_F(ProfileFilesTest, LongShiftJisValueReadsBackWhole) {
  std::string value;
  while (value.size() < 3000) value += "ソ表示";
  auto file = files_.Open(path_);
  file->WriteKey("Items", "T0", value);
  EXPECT_EQ(ReadFileBytes(path_), "[Items]\r\nT0=" + value + "\r\n");
  EXPECT_EQ(files_.Open(path_)->ReadKey("Items", "T0"), value);
}

TEST_F(ProfileFilesTest, WriteThatFailsNamesTheFile) {
  // A folder standing where the file should be makes every write fail, even for root.
  ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));
  auto file = files_.Open(path_);
  try {
    file->WriteKey("Items", "T0", "x");
    FAIL() << "the write was reported as done";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()), path_ + " に書き込めません");
  }
}

TEST_F(ProfileFilesTest, WriteIntoAMissingFolderFails) {
  const std::string path = folder_.File("missing\\Morvelin.ini");
  auto file = files_.Open(path);
  try {
    file->WriteKey("Items", "C0", "1");
    FAIL() << "the write was reported as done";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()), path + " に書き込めません");
  }
  EXPECT_FALSE(FileExists(path));
}

TEST_F(ProfileFilesTest, AHeldFileFailsToReadWithItsReasonAndReadsAgainOnceLetGo) {
  const std::string& path = path_;
  ASSERT_TRUE(WriteFileBytes(path, "[Items]\r\nT0=Mail\r\n"));
  ASSERT_TRUE(WriteFileBytes(path + ".new", "half a save"));
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const auto file = files_.Open(path);
  for (const std::string key : {"", "T0"}) {  // the whole file, and a key of it
    try {
      key.empty() ? (void)file->ReadAll() : (void)file->ReadKey("Items", key);
      ADD_FAILURE() << "a held file read as if it were there: " << key;
    } catch (const AppError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(path + " を読み込めません: ", 0), 0u)
          << error.what();
    }
  }
  CloseHandle(holder);
  EXPECT_EQ(file->ReadKey("Items", "T0"), "Mail");
  file->RemoveLeftovers();
  EXPECT_FALSE(FileExists(path + ".new"));
}

}  // namespace
