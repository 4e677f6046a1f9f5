#include <gtest/gtest.h>
#include <winsock2.h>
// After winsock2.h, so that it does not bring in the old winsock.
#include <windows.h>

#include <string>
#include <vector>

#include "adapter_test_support.h"
#include "core/running_check.h"
#include "platform/win32/win32_log_files.h"
#include "platform/win32/win32_readiness.h"
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

// The outcome of a connection attempt, asked until it is no longer pending.
ConnectionAttempt::State Outcome(ConnectionAttempt& attempt) {
  ConnectionAttempt::State state = ConnectionAttempt::State::Pending;
  WaitUntil([&] { return (state = attempt.Check()) != ConnectionAttempt::State::Pending; });
  return state;
}

// A server listening on the IPv4 loopback only: its address connects, and so does the name,
// looked up in the background and tried address by address (it may give the IPv6 one first).
// A port nobody listens on is refused; texts without a host and port try nothing; an attempt
// given up while its name is still looked up goes quietly.
TEST(ReadinessAdapter, ConnectsByAddressAndByNameAndTellsARefusal) {
  WSADATA data;
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  const SOCKET server = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(listen(server, 8), 0);
  getsockname(server, reinterpret_cast<sockaddr*>(&address), &length);
  const std::string port = std::to_string(ntohs(address.sin_port));
  Win32Readiness readiness;
  using State = ConnectionAttempt::State;
  for (const std::string host : {"127.0.0.1", "localhost"}) {
    const auto attempt = readiness.Connect(host + ":" + port);
    ASSERT_TRUE(attempt) << host;
    EXPECT_EQ(Outcome(*attempt), State::Accepted) << host;
  }
  closesocket(server);
  const auto refused = readiness.Connect("127.0.0.1:" + port);
  EXPECT_TRUE(!refused || Outcome(*refused) == State::Refused);
  for (const char* text : {"localhost", ":80", ""}) EXPECT_FALSE(readiness.Connect(text)) << text;
  readiness.Connect("no-such-host.invalid:80").reset();
  WSACleanup();
}

// A console program is ready as soon as it runs (it has no input to become idle for); the
// watch sees it end once it is gone.
TEST(ReadinessAdapter, AConsoleProgramIsReadyAtOnceAndSeenToEnd) {
  STARTUPINFOA start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  char line[] = "cmd.exe /k";
  ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                             nullptr, &start, &process));
  CloseHandle(process.hThread);
  const auto watched = WatchProcess(process.hProcess);
  EXPECT_TRUE(watched->InputIdle() && !watched->Ended());
  TerminateProcess(process.hProcess, 0);
  EXPECT_TRUE(WaitUntil([&] { return watched->Ended(); }));
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
