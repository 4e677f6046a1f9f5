#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "adapter_test_support.h"
#include "platform/win32/win32_profile_files.h"

// Reads through the adapter must give exactly what the system's key read gives, whatever the
// file holds, and must follow the file when it changes.
namespace {

void WriteRaw(const std::string& path, const std::string& content) {
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(out, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(out);
  ASSERT_EQ(written, content.size());
}

// The system's own answer for one key, with room for any value.
std::string SystemRead(const std::string& path, const char* section, const std::string& key) {
  std::string buffer(1 << 16, '\0');
  const DWORD length = GetPrivateProfileStringA(section, key.c_str(), "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path.c_str());
  buffer.resize(length);
  return buffer;
}

std::string Repeat(const std::string& piece, size_t at_least) {
  std::string text;
  while (text.size() < at_least) text += piece;
  return text;
}

class ProfileReadTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  std::string path_ = folder_.File("Morvelin.ini");
  Win32ProfileFiles files_;
};

TEST_F(ProfileReadTest, EveryKeyReadsAsTheSystemReadsIt) {
  const std::string long_ascii = Repeat("abcdefghij", 3000);
  const std::string long_sjis = Repeat("ソ表示", 5000);
  WriteRaw(path_,
           "; a comment line\r\n"
           "[Other]\r\n"
           "T0=not this one\r\n"
           "[items]\r\n"
           "T0=  first  \r\n"
           "t0=second\r\n"
           "C0 = 1\r\n"
           "F0=\t\"C:\\Program Files\\a.exe\"\t\r\n"
           "W0='C:\\work'\r\n"
           "A0=\"unbalanced'\r\n"
           "S0=\"\r\n"
           "H0=\"\"\r\n"
           "D0=\"a\"b\"\r\n"
           "P0=x=y=z\r\n"
           "T1=" +
               long_ascii +
               "\r\n"
               "F1=\"" +
               long_sjis +
               "\"\r\n"
               "W1=ソ表示\\予定\r\n"
               "A1\r\n"
               "S1=\r\n"
               "H1='\r\n"
               "D1=  ' spaced '  \r\n"
               "\r\n"
               "P1=after a blank line\r\n"
               "[Items]\r\n"
               "T2=in the second heading of the same name\r\n"
               "T0=never\r\n");

  auto file = files_.Open(path_);
  std::vector<std::string> keys;
  for (const char* letter : {"T", "C", "F", "W", "A", "S", "H", "D", "P", "t", "f", "p"})
    for (int row = 0; row < 3; ++row) keys.push_back(letter + std::to_string(row));
  for (const char* other : {"Missing", "Other", "x", "y", "_"}) keys.push_back(other);

  for (const std::string& key : keys)
    EXPECT_EQ(file->ReadKey("Items", key), SystemRead(path_, "Items", key)) << key;
  EXPECT_EQ(file->ReadKey("Other", "T0"), SystemRead(path_, "Other", "T0"));
  EXPECT_EQ(file->ReadKey("Absent", "T0"), "");

  // The system's answers themselves, so that the comparison above is not between two blanks.
  EXPECT_EQ(file->ReadKey("Items", "t0"), "first");
  EXPECT_EQ(file->ReadKey("Items", "C0"), "1");
  EXPECT_EQ(file->ReadKey("Items", "F0"), "C:\\Program Files\\a.exe");
  EXPECT_EQ(file->ReadKey("Items", "W0"), "C:\\work");
  EXPECT_EQ(file->ReadKey("Items", "A0"), "\"unbalanced'");
  EXPECT_EQ(file->ReadKey("Items", "H0"), "");
  EXPECT_EQ(file->ReadKey("Items", "P0"), "x=y=z");
  EXPECT_EQ(file->ReadKey("Items", "T1"), long_ascii);
  EXPECT_EQ(file->ReadKey("Items", "F1"), long_sjis);
  EXPECT_EQ(file->ReadKey("Items", "W1"), "ソ表示\\予定");
  EXPECT_EQ(file->ReadKey("Items", "D1"), " spaced ");
  EXPECT_EQ(file->ReadKey("Other", "T0"), "not this one");
}

// A list of some hundreds of rows is a section far beyond what one read of the file takes in.
TEST_F(ProfileReadTest, ASectionOfHundredsOfRowsReadsToItsLastKey) {
  const auto file_of = [](int row) {
    return "C:\\Program Files\\" + std::string(120, 'x') + std::to_string(row) + ".exe";
  };
  std::string text = "[Items]\r\n";
  for (int row = 0; row < 700; ++row)
    text += "F" + std::to_string(row) + "=" + file_of(row) + "\r\n";
  WriteRaw(path_, text + "C699=1\r\n");
  auto file = files_.Open(path_);
  EXPECT_EQ(file->ReadKey("Items", "F699"), file_of(699));
  EXPECT_EQ(file->ReadKey("Items", "F699"), SystemRead(path_, "Items", "F699"));
  EXPECT_EQ(file->ReadKey("Items", "C699"), "1");
}

TEST_F(ProfileReadTest, KeysTheSystemMatchesByItsOwnRulesStillRead) {
  WriteRaw(path_, "[Items]\r\nキー=ソ表示\r\nT 0=spaced key\r\n");
  auto file = files_.Open(path_);
  EXPECT_EQ(file->ReadKey("Items", "キー"), "ソ表示");
  EXPECT_EQ(file->ReadKey("Items", "T 0"), SystemRead(path_, "Items", "T 0"));
  EXPECT_EQ(file->ReadKey("Items", " T 0 "), SystemRead(path_, "Items", " T 0 "));
  EXPECT_EQ(file->ReadKey(" Items ", "キー"), SystemRead(path_, " Items ", "キー"));
}

TEST_F(ProfileReadTest, ChangesBetweenReadsAreSeen) {
  WriteRaw(path_, "[Items]\r\nT0=old\r\nT1=kept\r\n");
  auto file = files_.Open(path_);
  EXPECT_EQ(file->ReadKey("Items", "T0"), "old");

  // Through another handle, as another program would.
  ASSERT_TRUE(WritePrivateProfileStringA("Items", "T0", "rewritten", path_.c_str()));
  EXPECT_EQ(file->ReadKey("Items", "T0"), "rewritten");
  EXPECT_EQ(file->ReadKey("Items", "T1"), "kept");

  // Through the same handle.
  file->WriteKey("Items", "T1", "new");
  EXPECT_EQ(file->ReadKey("Items", "T1"), "new");

  // Gone altogether, then back.
  ASSERT_TRUE(DeleteFileA(path_.c_str()));
  EXPECT_EQ(file->ReadKey("Items", "T0"), "");
  WriteRaw(path_, "[Items]\r\nT0=back\r\n");
  EXPECT_EQ(file->ReadKey("Items", "T0"), "back");

  // A load's keys come from the bytes it read whole, until it writes.
  EXPECT_EQ(file->ReadAll(), "[Items]\r\nT0=back\r\n");
  file->ReadKeysFromLastReadAll();
  ASSERT_TRUE(WritePrivateProfileStringA("Items", "T0", "later", path_.c_str()));
  EXPECT_EQ(file->ReadKey("Items", "T0"), "back");
  file->WriteKey("Items", "T1", "mine");
  EXPECT_EQ(file->ReadKey("Items", "T0") + file->ReadKey("Items", "T1"), "latermine");
}

TEST_F(ProfileReadTest, ABareFileNameReadsWhereTheSystemLooks) {
  // A bare name lives in the Windows folder for the system, not in the current folder.
  const std::string name = UniqueName("profile") + ".ini";
  ASSERT_TRUE(WritePrivateProfileStringA("Items", "T0", "in the windows folder", name.c_str()));
  auto file = files_.Open(name);
  EXPECT_EQ(file->ReadKey("Items", "T0"), "in the windows folder");
  ASSERT_TRUE(WritePrivateProfileStringA("Items", "T0", "again", name.c_str()));
  EXPECT_EQ(file->ReadKey("Items", "T0"), "again");
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  DeleteFileA((std::string(windows) + "\\" + name).c_str());
}

}  // namespace
