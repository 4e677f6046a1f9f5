#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapter_test_support.h"
#include "platform/win32/win32_shell.h"

namespace {

struct LaunchRecord {
  std::string arguments;
  std::string folder;
  std::string show_command;
};

// Launches a copy of this test program through the adapter; the copy writes down how it was
// started (see adapter_test_children.cpp) and the test waits for that record.
class ShellTest : public ::testing::Test {
 protected:
  bool Launch(const std::string& file, const std::string& arguments, const std::string& folder,
              int show_command, LaunchRecord* record) {
    const std::string record_path = scratch_.File(UniqueName("launch") + ".txt");
    {
      ScopedEnvironment child_mode(kChildModeVariable, "launch:" + record_path);
      shell_.Execute(nullptr, file, arguments, folder, show_command);
    }
    // Wait for the whole record, not only for the file: it may still be opening for reading.
    std::string text;
    size_t first = std::string::npos, second = std::string::npos;
    const bool complete = WaitUntil([&] {
      if (!FileExists(record_path)) return false;
      text = ReadFileBytes(record_path);
      first = text.find('\n');
      second = first == std::string::npos ? first : text.find('\n', first + 1);
      return second != std::string::npos;
    });
    if (!complete) {
      ADD_FAILURE() << "no complete launch record in " << record_path << ": '" << text << "'";
      return false;
    }
    record->arguments = text.substr(0, first);
    record->folder = text.substr(first + 1, second - first - 1);
    record->show_command = text.substr(second + 1);
    return true;
  }

  ScratchFolder scratch_;
  Win32Shell shell_;
};

TEST_F(ShellTest, ArgumentsFolderAndShowCommandReachTheProgram) {
  LaunchRecord record;
  ASSERT_TRUE(Launch(TestProgramPath(), "/x \"two words\" ソ表示", scratch_.path(), 2, &record));
  EXPECT_EQ(record.arguments, "/x \"two words\" ソ表示");
  EXPECT_EQ(record.folder, scratch_.path());
  EXPECT_EQ(record.show_command, "2");
}

TEST_F(ShellTest, EmptyArgumentsAndFolderAreNoObstacle) {
  char current[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof current, current);
  LaunchRecord record;
  ASSERT_TRUE(Launch(TestProgramPath(), "", "", 3, &record));
  EXPECT_EQ(record.arguments, "");
  EXPECT_EQ(record.folder, current) << "without a folder the program starts in ours";
  EXPECT_EQ(record.show_command, "3");
}

TEST_F(ShellTest, LongTextsArePassedWhole) {
  // File, arguments and folder each well past 79 bytes, with double-byte characters.
  const std::string folder =
      scratch_.File("作業フォルダ ソ表示 with a rather long name for the test");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string program = folder + "\\長い名前のプログラム ソ表示 copy.exe";
  ASSERT_GT(program.size(), 79u);
  ASSERT_GT(folder.size(), 79u);
  ASSERT_TRUE(CopyFileA(TestProgramPath().c_str(), program.c_str(), FALSE));
  std::string arguments;
  while (arguments.size() < 300)
    arguments += "引数ソ表示-" + std::to_string(arguments.size()) + " ";
  arguments += "end";

  LaunchRecord record;
  ASSERT_TRUE(Launch(program, arguments, folder, 7, &record));
  EXPECT_EQ(record.arguments, arguments);
  EXPECT_EQ(record.folder, folder);
  EXPECT_EQ(record.show_command, "7");
}

}  // namespace
