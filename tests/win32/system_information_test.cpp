// The about box's figures and the help viewer's file check against the real system.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapter_test_support.h"
#include "platform/app_error.h"
#include "platform/win32/win32_help.h"
#include "platform/win32/win32_memory_status.h"

namespace {

TEST(SystemInformationTest, MemoryIsReadInSixtyFourBitCounts) {
  Win32MemoryStatus memory;
  MEMORYSTATUSEX expected{};
  expected.dwLength = sizeof expected;
  ASSERT_TRUE(GlobalMemoryStatusEx(&expected));
  const MemoryFigures figures = memory.Read();
  EXPECT_EQ(figures.total_physical, expected.ullTotalPhys);
  EXPECT_GT(figures.available_physical, 0u);
  EXPECT_LE(figures.available_physical, figures.total_physical);
  EXPECT_FALSE(memory.ThousandsSeparator().empty());
}

TEST(SystemInformationTest, FreeResourcesFailBeforeAnythingIsCalled) {
  Win32FreeResources resources;
  for (std::uint16_t kind : {0, 1, 2}) {
    try {
      resources.Percent(kind);
      ADD_FAILURE() << "kind " << kind << " gave a figure";
    } catch (const AppError& error) {
      EXPECT_STREQ(error.what(), "Faild to call User.exe");
    }
  }
  // Nothing of the 16-bit user module came into this process.
  EXPECT_EQ(GetModuleHandleA("user.exe16"), nullptr);
  EXPECT_EQ(GetModuleHandleA("user.exe"), nullptr);
}

TEST(SystemInformationTest, HelpFileMustBeAFile) {
  ScratchFolder scratch;
  Win32HelpViewer viewer;
  const std::string file = scratch.File("Morvelin.Hlp");
  EXPECT_FALSE(viewer.FileExists(file));
  CreateDirectoryA(file.c_str(), nullptr);
  EXPECT_FALSE(viewer.FileExists(file));  // a folder of that name is no help file
  RemoveDirectoryA(file.c_str());
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);
  EXPECT_TRUE(viewer.FileExists(file));
}

}  // namespace
