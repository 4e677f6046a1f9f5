#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "adapter_test_support.h"
#include "core/running_check.h"
#include "platform/win32/win32_log_files.h"
#include "platform/win32/win32_repeating_timer.h"
#include "platform/win32/win32_running_programs.h"
#include "platform/win32/win32_shell.h"

namespace {

TEST(LogFilesAdapter, AppendsReplacesAndReadsBytesAsTheyAre) {
  ScratchFolder scratch;
  Win32LogFiles files;
  const std::string path = scratch.File("Morvelin.log");
  EXPECT_EQ(files.SizeOf(path), -1);
  EXPECT_EQ(files.ReadAll(path), "");
  files.Append(path, "一行目\r\n");
  files.Append(path, "two\r\n");
  EXPECT_EQ(ReadFileBytes(path), "一行目\r\ntwo\r\n");
  EXPECT_EQ(files.SizeOf(path), 13);
  files.Replace(path, "x\r\n");
  EXPECT_EQ(files.ReadAll(path), "x\r\n");
  // A folder standing where the file should be cannot be written, and says so.
  const std::string folder = scratch.File("taken");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_ANY_THROW(files.Append(folder, "a"));
  EXPECT_FALSE(Win32SystemErrorTexts().ErrorText(ERROR_FILE_NOT_FOUND).empty());
}

TEST(RunningProgramsAdapter, ListsThisProgramByItsFullPath) {
  const std::vector<std::string> paths = Win32RunningPrograms().ProgramPaths();
  EXPECT_TRUE(IsRunningProgram(TestProgramPath(), paths)) << TestProgramPath();
}

TEST(ShellAdapter, AnswersWithTheShellsErrorForAMissingFile) {
  ScratchFolder scratch;
  const ShellAnswer answer =
      Win32Shell().Execute(nullptr, scratch.File("missing.exe"), "", "", SW_SHOWNORMAL);
  EXPECT_FALSE(answer.Succeeded());
  EXPECT_EQ(answer.code, 2);  // SE_ERR_FNF
}

TEST(RepeatingTimerAdapter, TicksThroughTheMessageLoopUntilStopped) {
  Win32RepeatingTimer timer(GetModuleHandleA(nullptr));
  int ticks = 0;
  ASSERT_TRUE(timer.Start(10, [&] {
    if (++ticks == 3) timer.Stop();
  }));
  EXPECT_TRUE(WaitUntil([&] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return ticks >= 3;
  }));
  // Once stopped, no more ticks arrive.
  const DWORD until = GetTickCount() + 100;
  while (GetTickCount() < until) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(5);
  }
  EXPECT_EQ(ticks, 3);
}

}  // namespace
