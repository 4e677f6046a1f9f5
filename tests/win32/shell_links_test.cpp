// Shell links written by the adapter, read back through the shell's own link object.

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: the shell headers rely on its types.
#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "adapter_test_support.h"
#include "platform/special_folders.h"
#include "platform/win32/win32_shell_links.h"
#include "shell/shortcut.h"
#include "shell_test_support.h"

namespace {

class ScratchFolders : public SpecialFolders {
 public:
  std::string path;
  std::optional<std::string> Path(int) override { return path; }
};

TEST(ShellLinksTest, WritesALinkThatReadsBackAndASecondSaveReplacesIt) {
  ComApartment com;
  ScratchFolder scratch;
  Win32ShellLinks links;
  ScratchFolders folders;
  folders.path = scratch.path();
  const std::string target = TestProgramPath();

  ASSERT_TRUE(CreateShortcut(links, folders, target, "Morvelin", csidl::kDesktopDirectory));
  const std::string file = scratch.File("Morvelinへのショートカット.lnk");
  ASSERT_TRUE(FileExists(file));
  LinkFields fields = ReadLink(file);
  EXPECT_EQ(fields.target, target);
  EXPECT_EQ(fields.folder, FolderPart(target));
  EXPECT_EQ(fields.folder.back(), '\\');
  EXPECT_EQ(fields.arguments, "");

  // The same name again, now with arguments: the file is replaced, not numbered.
  ASSERT_TRUE(CreateShortcut(links, folders, target, "Morvelin", csidl::kDesktopDirectory, "/N"));
  fields = ReadLink(file);
  EXPECT_EQ(fields.target, target);
  EXPECT_EQ(fields.arguments, "/N");
  int files = 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(scratch.File("*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(files, 1);

  // The link starts the program however its path is spelt, and nothing else; removed, it is gone.
  char short_path[MAX_PATH] = {};
  GetShortPathNameA(target.c_str(), short_path, MAX_PATH);
  std::string upper = target;
  CharUpperA(upper.data());
  for (const std::string& spelling : {target, std::string(short_path), upper})
    EXPECT_TRUE(links.LinksTo(file, spelling)) << spelling;
  EXPECT_FALSE(links.LinksTo(file, scratch.path()));
  EXPECT_TRUE(links.Remove(file));
  EXPECT_FALSE(FileExists(file));
}

TEST(ShellLinksTest, SpecialFoldersResolveToExistingFolders) {
  ComApartment com;
  Win32SpecialFolders folders;
  for (int id : {csidl::kDesktopDirectory, csidl::kStartup}) {
    const auto path = folders.Path(id);
    ASSERT_TRUE(path.has_value()) << id;
    const DWORD attributes = GetFileAttributesA(path->c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << *path;
    EXPECT_NE(path->back(), '\\') << *path;
  }
  EXPECT_FALSE(folders.Path(0x7777).has_value());
}

}  // namespace
