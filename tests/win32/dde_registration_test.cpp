// The DDE client against a Program Manager server of the test's own, and the whole Startup
// registration when no shell answers.

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: DDEML relies on its types.
#include <ddeml.h>

#include <string>
#include <vector>

#include "adapter_test_support.h"
#include "core/message_dialogs.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_shell_links.h"
#include "platform/win32/win32_system.h"
#include "shell/startup_registration.h"
#include "shell_test_support.h"

namespace {

// Runs this thread's messages while waiting: the client's DDE windows live here.
bool PumpUntil(const std::function<bool()>& condition) {
  return WaitUntil([&] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return condition();
  });
}

class RecordingBoxes : public MessageBoxes {
 public:
  std::vector<std::string> texts;
  BoxAnswer Show(const std::string&, BoxIcon, BoxButtons buttons,
                 const std::string& text) override {
    texts.push_back(text);
    return buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
  }
};

// Records the folder windows asked for, rather than leaving them open.
struct RecordingShell : Win32Shell {
  std::vector<std::string> opened;
  ShellAnswer Execute(WindowHandle, const std::string& file, const std::string&, const std::string&,
                      int) override {
    opened.push_back(file);
    return {};
  }
};

class FixedProgram : public Win32System {
 public:
  std::string path;
  std::string ProgramFilePath() override { return path; }
};

TEST(DdeRegistrationTest, TheTestServerReceivesTheThreeCommandsByteForByte) {
  TestProgmanServer server([](const std::function<bool()>& ready) { return WaitUntil(ready); });
  ASSERT_TRUE(server.Registered());
  ComApartment com;
  Win32DdeClient dde;
  Win32ProgramStarter starter;
  Win32ShellLinks links;
  struct : SpecialFolders {  // none: the group interface is the only way left
    std::optional<std::string> Path(int) override { return std::nullopt; }
  } folders;
  RecordingShell shell;
  RecordingBoxes boxes;
  MessageDialogs dialogs(boxes);
  FixedProgram system;
  system.path = "C:\\Program Files\\表 ソ\\morvelin.exe";
  StartupRegistration registration({system, dialogs, dde, starter, links, folders, shell});

  registration.RegisterInStartupGroup();
  ASSERT_TRUE(PumpUntil([&] { return server.Commands().size() >= 3; }))
      << server.Commands().size() << " commands arrived";
  const auto expected = StartupGroupCommands(system.path);
  const auto received = server.Commands();
  ASSERT_EQ(received.size(), 3u);
  for (size_t i = 0; i < 3; ++i)
    EXPECT_EQ(received[i], expected[i] + std::string(1, '\0')) << "command " << i;
  EXPECT_EQ(received[2],
            std::string("[AddItem(\"C:\\Program Files\\\x95\x5C \x83\x5C\\morvelin.exe\" "
                        "/N ,\"Morvelin\")]") +
                std::string(1, '\0'));
  EXPECT_EQ(boxes.texts.size(), 1u);  // the question, nothing after it
}

TEST(DdeRegistrationTest, AClientFindsNoServerForAnUnknownService) {
  Win32DdeClient dde;
  EXPECT_FALSE(dde.Connect(UniqueName("NOBODY"), "PROGMAN"));
  dde.Execute("[CreateGroup(x)]");  // no conversation: nothing to send to, nothing breaks
  dde.Disconnect();
  Win32ProgramStarter starter;
  EXPECT_FALSE(starter.StartMinimisedNoActivate(UniqueName("no-such-program") + ".exe"));
}

// The registration's own DDE service names go to a service nobody serves, and nothing can be
// started: only a missing Startup folder leads there.
class UnansweredDde : public DdeClient {
 public:
  Win32DdeClient real;
  std::string service = UniqueName("NOBODY");
  int connects = 0;
  bool Connect(const std::string&, const std::string& topic) override {
    ++connects;
    return real.Connect(service, topic);
  }
  void Execute(const std::string& command) override { real.Execute(command); }
  void Disconnect() override { real.Disconnect(); }
};

class FailingStarter : public ProgramStarter {
 public:
  Win32ProgramStarter real;
  std::vector<std::string> lines;
  bool StartMinimisedNoActivate(const std::string& line) override {
    lines.push_back(line);
    return real.StartMinimisedNoActivate(UniqueName("no-such-program") + ".exe");
  }
};

class ScratchStartupFolder : public SpecialFolders {
 public:
  std::string startup;
  std::optional<std::string> Path(int csidl) override {
    if (csidl == csidl::kStartup && !startup.empty()) return startup;
    return std::nullopt;
  }
};

TEST(DdeRegistrationTest, TheLinkGoesStraightIntoTheStartupFolder) {
  ComApartment com;
  ScratchFolder scratch;
  UnansweredDde dde;
  FailingStarter starter;
  Win32ShellLinks links;
  ScratchStartupFolder folders;
  folders.startup = scratch.path();
  RecordingBoxes boxes;
  MessageDialogs dialogs(boxes);
  FixedProgram system;
  system.path = "C:\\Tools\\morvelin.exe";
  RecordingShell shell;
  StartupRegistration registration({system, dialogs, dde, starter, links, folders, shell});

  registration.RegisterInStartupGroup();
  EXPECT_EQ(dde.connects, 0);
  EXPECT_EQ(boxes.texts.size(), 1u);
  const std::string link = scratch.File("Morvelin.lnk");
  ASSERT_TRUE(FileExists(link));
  EXPECT_NE(ReadFileBytes(link).find("C:\\Tools\\morvelin.exe"), std::string::npos);
  EXPECT_EQ(shell.opened, std::vector<std::string>{scratch.path()});

  // No Startup folder and no shell: exactly one message, nothing written.
  folders.startup.clear();
  DeleteFileA(link.c_str());
  registration.RegisterInStartupGroup();
  EXPECT_EQ(dde.connects, 1);
  EXPECT_EQ(starter.lines, std::vector<std::string>{"PROGMAN PROGMAN"});
  ASSERT_EQ(boxes.texts.size(), 3u);
  EXPECT_EQ(boxes.texts[2], "ショートカットの制作に失敗しました。");
  EXPECT_FALSE(FileExists(link));
}

}  // namespace
