#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "adapter_test_support.h"
#include "platform/app_error.h"
#include "platform/win32/checked_icon.h"
#include "platform/win32/win32_profile_files.h"
#include "tray/win32/tray_window.h"

// Files another program holds, and icon files that lie about their contents.
namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(out);
}

std::string ReadBytes(const std::string& path) {
  HANDLE in =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::string bytes(GetFileSize(in, nullptr), '\0');
  DWORD got = 0;
  ReadFile(in, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(in);
  return bytes;
}

// One 16 x 16 image of 32 bits.
std::string SmallIcon() {
  std::string file(22 + 40 + 16 * 16 * 4 + 16 * 4, '\0');
  const auto put = [&](std::size_t at, DWORD value) { memcpy(&file[at], &value, 4); };
  file[2] = 1;
  file[4] = 1;
  file[6] = file[7] = 16;
  file[10] = 1;
  file[12] = 32;
  put(14, 40 + 16 * 16 * 4 + 16 * 4);
  put(18, 22);
  put(22, 40);
  put(26, 16);
  put(30, 32);
  file[34] = 1;
  file[36] = 32;
  for (std::size_t at = 62; at < 62 + 16 * 16 * 4; at += 4) file[at + 3] = '\xFF';
  return file;
}

TEST(DamagedFiles, AHeldItemFileFailsToReadWithItsReasonAndReadsAgainOnceLetGo) {
  ScratchFolder folder;
  const std::string path = folder.File("Morvelin.ini");
  WriteBytes(path, "[Items]\r\nT0=Mail\r\nC0=1\r\nF0=C:\\mail.exe\r\n");
  Win32ProfileFiles files;

  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::unique_ptr<ProfileFile> file = files.Open(path);
  for (const auto& read : {std::function<void()>([&] { file->ReadAll(); }),
                           std::function<void()>([&] { file->ReadKey("Items", "T0"); }),
                           std::function<void()>([&] { file->ReadKey("Items", "T 0"); })}) {
    try {
      read();
      ADD_FAILURE() << "a held file read as if it were there";
    } catch (const AppError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind(path + " を読み込めません: ", 0), 0u) << message;
      EXPECT_GT(message.size(), path.size() + 20) << "the system's reason is missing";
    }
  }
  CloseHandle(holder);
  EXPECT_EQ(file->ReadKey("Items", "T0"), "Mail");
  EXPECT_EQ(file->ReadKey("Items", "F0"), "C:\\mail.exe");

  // A missing file is still no error, and a leftover of a killed save goes.
  const std::unique_ptr<ProfileFile> missing = files.Open(folder.File("none.ini"));
  EXPECT_EQ(missing->ReadAll(), "");
  EXPECT_EQ(missing->ReadKey("Items", "T0"), "");
  WriteBytes(path + ".new", "half a save");
  file->RemoveLeftovers();
  EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadBytes(path).substr(0, 8), "[Items]\r");
}

TEST(DamagedFiles, OnlyIconFilesThatHoldUpReachTheSystemsExtraction) {
  ScratchFolder folder;
  const std::string good = SmallIcon();
  std::string many = good, past_end = good;
  many[4] = many[5] = '\xFF';
  const DWORD beyond = static_cast<DWORD>(good.size());
  memcpy(&past_end[18], &beyond, 4);
  const std::string program = ReadBytes(TestProgramPath());
  const struct {
    const char* name;
    std::string bytes;
    bool icon;
  } cases[] = {
      {"good.ico", good, true},
      {"truncated.ico", good.substr(0, good.size() / 2), false},
      {"many.ico", many, false},
      {"past_end.ico", past_end, false},
      {"empty.ico", "", false},
      {"program.exe", program, true},
      {"cut_program.exe", program.substr(0, program.size() / 3), false},
  };
  Win32MenuImages images;
  int slots = 0;
  for (const auto& c : cases) {
    const std::string path = folder.File(c.name);
    WriteBytes(path, c.bytes);
    const HICON icon = ExtractCheckedIcon(path);
    EXPECT_EQ(icon != nullptr, c.icon) << c.name;
    if (icon) DestroyIcon(icon);
    // The menu's image list keeps one slot per row, empty for a damaged file.
    EXPECT_EQ(images.AddMenuIcon(path), c.icon) << c.name;
    EXPECT_EQ(images.Count(), ++slots) << c.name;
  }
  EXPECT_EQ(ExtractCheckedIcon(folder.path()), nullptr) << "a folder";
  EXPECT_EQ(ExtractCheckedIcon(folder.File("missing.ico")), nullptr);
}

}  // namespace
