#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapter_test_support.h"
#include "platform/win32/system_error.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_system.h"

namespace {

TEST(Environment, AnsiCodePageIsShiftJis) {
  EXPECT_EQ(GetACP(), 932u);
}

// A failed call reaches the user as one Japanese line naming the call and the system's reason,
// or at least its number.
TEST(SystemError, NamesTheCallAndTheReasonOnOneLine) {
  for (const DWORD error : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{0x2FFFFFFF}}) {
    const std::string text = SystemCallError("CreateWindowEx", error).what();
    const std::string head = "CreateWindowEx に失敗しました: ";
    ASSERT_EQ(text.substr(0, head.size()), head) << text;
    EXPECT_GT(text.size(), head.size()) << text;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  }
  EXPECT_NE(std::string(SystemCallError("X", 0x2FFFFFFF).what()).find("エラー 805306367"),
            std::string::npos);
}

TEST(Clock, NowIsTheLocalDateAndTime) {
  Win32Clock clock;
  // Retry when the second turns over between the two readings.
  for (int attempt = 0; attempt < 5; ++attempt) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const LocalTime now = clock.Now();
    SYSTEMTIME after{};
    GetLocalTime(&after);
    if (before.wSecond != after.wSecond) continue;
    EXPECT_EQ(now.year, after.wYear);
    EXPECT_EQ(now.month, after.wMonth);
    EXPECT_EQ(now.day, after.wDay);
    EXPECT_EQ(now.hour, after.wHour);
    EXPECT_EQ(now.minute, after.wMinute);
    EXPECT_EQ(now.second, after.wSecond);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    return;
  }
  FAIL() << "the clock never held still for a second";
}

TEST(ProgramFile, PathIsThatOfTheRunningProgram) {
  const std::string path = Win32System().ProgramFilePath();
  EXPECT_EQ(path, TestProgramPath());
  EXPECT_TRUE(FileExists(path));
}

TEST(ProgramFile, PathOfACopyInADeepShiftJisFolderIsWhole) {
  ScratchFolder scratch;
  // Two folder depths one byte apart, so that the MAX_PATH byte boundary falls both between
  // and inside a double-byte character, whatever the scratch folder's length.
  for (const std::string pad : {"", "x"}) {
    std::string folder = scratch.path() + "\\" + pad + "p";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    // Under MAX_PATH characters, but over MAX_PATH bytes in Shift-JIS.
    for (int level = 0; level < 4; ++level) {
      folder += "\\" + std::to_string(level) +
                "ソ表示フォルダの階層ソ表示フォルダの階層ソ表示フォルダの階層";
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    const std::string program = folder + "\\コピー.exe";
    ASSERT_GT(program.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(CopyFileA(TestProgramPath().c_str(), program.c_str(), FALSE));
    const std::string record = scratch.File(pad + "path.txt");
    ASSERT_EQ(WaitForExitCode(StartChild(program, "path:" + record)), 0u);
    EXPECT_EQ(ReadFileBytes(record), program) << "folder padding '" << pad << "'";
  }
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  std::string name_ = UniqueName("MorvelinTestInstance");
};

TEST_F(SingleInstanceTest, FirstCheckTakesTheMutexAndLaterChecksSeeIt) {
  Win32SingleInstance instance;
  EXPECT_FALSE(instance.AnotherInstanceRuns(name_));
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name_.c_str());
  EXPECT_NE(mutex, nullptr) << "the mutex was not created";
  if (mutex) CloseHandle(mutex);
  EXPECT_TRUE(instance.AnotherInstanceRuns(name_));
  EXPECT_TRUE(Win32SingleInstance().AnotherInstanceRuns(name_));
}

TEST_F(SingleInstanceTest, MutexOutlivesTheObjectThatTookIt) {
  { EXPECT_FALSE(Win32SingleInstance().AnotherInstanceRuns(name_)); }
  EXPECT_EQ(WaitForExitCode(StartChild(TestProgramPath(), "instance:" + name_)),
            kChildSawAnotherInstance);
}

TEST_F(SingleInstanceTest, AnotherProcessSeesTheMutexOnlyWhileItsHolderRuns) {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, (name_ + "-ready").c_str());
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, (name_ + "-release").c_str());
  ASSERT_TRUE(ready && release);
  HANDLE holder = StartChild(TestProgramPath(), "hold:" + name_);
  ASSERT_NE(holder, nullptr);
  HANDLE waits[] = {ready, holder};
  ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, 30000), WAIT_OBJECT_0)
      << "the holder did not take the mutex";

  EXPECT_EQ(WaitForExitCode(StartChild(TestProgramPath(), "instance:" + name_)),
            kChildSawAnotherInstance);
  EXPECT_TRUE(Win32SingleInstance().AnotherInstanceRuns(name_));

  SetEvent(release);
  EXPECT_EQ(WaitForExitCode(holder), kChildSawNoOtherInstance);
  EXPECT_EQ(WaitForExitCode(StartChild(TestProgramPath(), "instance:" + name_)),
            kChildSawNoOtherInstance)
      << "the mutex should have ended with its holder";
  CloseHandle(ready);
  CloseHandle(release);
}

}  // namespace
