// The program's resources as Windows reads them: this test program is linked with the same
// resource script as morvelin.exe.

#include <windows.h>
// windows.h first: the version header relies on its types.
#include <gtest/gtest.h>
#include <winver.h>

#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

struct Found {
  std::vector<std::string> resources;  // "type/name" of each
  std::set<WORD> languages;
};

BOOL CALLBACK OnLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR found) {
  auto& f = *reinterpret_cast<Found*>(found);
  const auto id = [](LPCSTR n) { return IS_INTRESOURCE(n) ? std::to_string(LOWORD(n)) : n; };
  f.resources.push_back(id(type) + "/" + id(name));
  f.languages.insert(language);
  return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found) {
  return EnumResourceLanguagesA(module, type, name, OnLanguage, found) || TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR found) {
  return EnumResourceNamesA(module, type, OnName, found) || TRUE;
}

std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\041103A4\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
    return "<missing>";
  return std::string(value, length ? length - 1 : 0);
}

}  // namespace

TEST(Resources, AreAllJapaneseWithAFullVersionAndAnIconForEverySize) {
  HMODULE module = GetModuleHandleA(nullptr);
  Found found;
  EnumResourceTypesA(module, OnType, reinterpret_cast<LONG_PTR>(&found));
  EXPECT_GE(found.resources.size(), 6u) << "icon, bitmap, manifest, version and two dialogs";
  EXPECT_EQ(found.languages, std::set<WORD>{kJapanese});

  // The icon group lists each size once; 0 stands for 256.
  HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_MORVELIN), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  ASSERT_NE(directory, nullptr);
  const WORD count = *reinterpret_cast<WORD*>(directory + 4);
  std::set<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const BYTE width = directory[6 + 14 * i];
    sizes.insert(width ? width : 256);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 48, 256}));
  // Each size asked for is found as an image of its own.
  for (int size : sizes) {
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON);
    ASSERT_NE(image, nullptr) << size;
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
    // An image stored as PNG starts with its signature; its size is the directory's.
    if (header->biSize == sizeof(BITMAPINFOHEADER)) {
      EXPECT_EQ(header->biWidth, size);
    }
  }

  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  std::vector<char> info(GetFileVersionInfoSizeA(path, nullptr));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], kJapanese);
  EXPECT_EQ(translation[1], 932);
  EXPECT_EQ(VersionString(info, "CompanyName"), "Brel");
  EXPECT_EQ(VersionString(info, "LegalCopyright"), "Copyright (C) 2026 Brel");
  EXPECT_EQ(VersionString(info, "InternalName"), "Morvelin");
  EXPECT_EQ(VersionString(info, "FileVersion"), "2.1");
  EXPECT_EQ(VersionString(info, "OriginalFilename"), "morvelin.exe");
}
