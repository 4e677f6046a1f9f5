#include "shell/uninstall.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/fake_startup.h"
#include "shell/adoption.h"

namespace {

const std::string kRun = "CU\\" + std::string(kRunKeyPath), kBat = "C:\\SU\\Go.bat",
                  kExe = "C:\\M\\m.exe", kEntry = "C:\\SU\\Morvelin.lnk",
                  kDesktop = "C:\\D\\Morvelinへのショートカット.lnk";
const RawValue kTool{"Tool", kRegText, std::string("C:\\T\\tool.exe\0", 15)};

struct Links : ShellLinks, SpecialFolders, RegistryTree {
  std::map<std::string, std::string> links;  // file -> target
  std::set<std::string> stuck;               // files that cannot be removed
  bool tree = true;
  std::unique_ptr<ShellLink> Create() override { return nullptr; }
  bool LinksTo(const std::string& file, const std::string& target) override {
    return links.count(file) && links[file] == target;
  }
  bool Remove(const std::string& file) override { return !stuck.count(file) && links.erase(file); }
  std::optional<std::string> Path(int id) override {
    return id == csidl::kStartup ? "C:\\SU" : id == csidl::kDesktopDirectory ? "C:\\D" : "";
  }
  bool DeleteCurrentUserTree(const std::string& path) override {
    return tree && path == "Software\\Brel\\Morvelin";
  }
};

TEST(Uninstall, EverythingTakenOverGoesBackFirstAndAnEntryThatCannotStopsTheRest) {
  for (const bool stuck : {false, true}) {
    FakeRawRegistry registry;
    FakeFileStore files;
    FakeMessageBoxes boxes;
    MessageDialogs dialogs{boxes};
    ItemStore store;
    const StartupSources sources{registry, files, files};
    Adoption adoption{sources, dialogs, {store, [] { return true; }, [] {}}, "C:\\M\\Adopted\\"};
    Links shell;
    registry.keys[kRun] = {kTool};
    files.files = {{kBat, "@echo"}, {kEntry, "own"}, {"C:\\SU\\Other.lnk", "x"}};
    shell.links = {{kEntry, kExe}, {kDesktop, kExe}, {"C:\\SU\\Other.lnk", "C:\\o.exe"}};
    for (const StartupEntry& e : ListStartupEntries(sources, {"C:\\SU", "", "", "m"}, {}))
      if (e.name == "Tool" || e.name == "Go.bat") {
        ASSERT_TRUE(adoption.Adopt(e));
      }
    if (stuck) registry.failing = {"put " + kRun + "\\Tool"};
    Uninstall uninstall({dialogs, sources, shell, shell, shell}, kExe);

    boxes.shown.clear();
    boxes.answers = {BoxAnswer::No};
    EXPECT_FALSE(uninstall.Run());
    EXPECT_EQ(shell.links.size(), 3u);
    boxes.answers = {BoxAnswer::Yes};
    EXPECT_EQ(uninstall.Run(), !stuck);
    EXPECT_EQ(boxes.shown[1].buttons, BoxButtons::YesNoDefaultNo);
    ASSERT_EQ(boxes.shown.size(), 3u);
    const std::string& said = boxes.shown[2].text;
    EXPECT_EQ(files.files.count(kBat), 1u);  // each entry is tried, whatever the others do
    EXPECT_EQ(registry.keys[kRun] == std::vector<RawValue>{kTool}, !stuck);
    EXPECT_EQ(shell.links.size(), stuck ? 3u : 1u);
    EXPECT_EQ(said.find("「Tool」を元に戻せませんでした") != std::string::npos, stuck);
    EXPECT_EQ(said.find("ﾌｫﾙﾀﾞ「C:\\M\\」") != std::string::npos, !stuck);
  }
}

TEST(Uninstall, WhatCannotBeRemovedIsNamedForTheUserAndOnlyTheFirstArgumentCounts) {
  FakeRawRegistry registry;
  FakeFileStore files;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  Links shell;
  shell.links = {{kEntry, kExe}, {kDesktop, "C:\\else.exe"}};
  shell.stuck = {kEntry};
  shell.tree = false;
  boxes.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(Uninstall({dialogs, {registry, files, files}, shell, shell, shell}, kExe).Run());
  const std::string& said = boxes.shown.back().text;
  EXPECT_NE(said.find("手で削除して下さい:\r\n" + kEntry +
                      "\r\nHKEY_CURRENT_USER\\Software\\Brel\\Morvelin"),
            std::string::npos);
  EXPECT_EQ(shell.links.size(), 2u);  // the desktop shortcut starts another program
  EXPECT_TRUE(AsksUninstall({"/UnInstall"}));
  EXPECT_FALSE(AsksUninstall({"/N", "/uninstall"}) || AsksUninstall({"/uninstallx"}) ||
               AsksUninstall({}));
}

}  // namespace
