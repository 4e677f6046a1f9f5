#include "takeover/takeover_steps.h"

#include <gtest/gtest.h>

#include "editing/list_commands.h"
#include "fakes/fake_entry_sources.h"
#include "fakes/fake_platform.h"
#include "takeover/repair.h"
#include "takeover/uninstall.h"
#include "takeover/unlisted.h"

namespace {

const std::string kRun = "CU\\" + std::string(kRunKeyPath), kBat = "C:\\SU\\Go.bat",
                  kExe = "C:\\M\\m.exe", kKept = "C:\\M\\Adopted\\";
const EntryLocations kPlaces{"C:\\SU", "", kKept, "m"};

// The list's view and dialog, the shell's links and folders, and the registry's tree.
struct Inert : ItemListView, ItemDialogRunner, ShellLinks, SpecialFolders, RegistryTree {
  int selected = 0;
  std::set<std::string> links{"C:\\SU\\Morvelin.lnk"};  // each starting the program
  bool removes = true;
  void ShowRows(const std::vector<LaunchItem>&) override {}
  int SelectedIndex() override { return selected; }
  void Select(int) override {}
  void EnableRowButtons(bool) override {}
  void SetEventHandlers(ListEventHandlers) override {}
  std::optional<ItemDialogResult> Run(const ItemDialogFields&) override { return {}; }
  std::unique_ptr<ShellLink> Create() override { return nullptr; }
  bool LinksTo(const std::string& f, const std::string&) override { return links.count(f); }
  bool Remove(const std::string& f) override { return removes && links.erase(f); }
  std::optional<std::string> Path(int) override { return "C:\\SU"; }
  bool DeleteCurrentUserTree(const std::string&) override { return true; }
};

// The page's steps, the list's Delete and the uninstall over one user's start-up places.
struct Desk {
  FakeRawRegistry registry;
  FakeFileStore files;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  ItemStore store;
  bool unsaved = false;
  int saves = 0;
  EntrySources sources{registry, files, files};
  Inert inert;
  Takeover takeover{sources, dialogs, {store, [this] { return ++saves; }, [] {}}, kKept};
  TakeoverSteps steps{takeover,
                      dialogs,
                      {store, [this] { return unsaved; }, [this] { return ++saves; },
                       [this] { return ListKeptEntries(sources, kPlaces); }},
                      kKept};
  FakeSystem system;
  FakeShell shell;
  Launcher launcher{shell};
  ListCommands commands{store, inert, inert, dialogs, system, launcher};
  Uninstall uninstall{{dialogs, sources, inert, inert, inert}, kExe};
  std::map<std::string, TakeoverEntry> entries;

  Desk() {
    registry.keys[kRun] = {{"Tool", kRegText, std::string("C:\\T\\tool.exe\0", 15)}};
    files.files[kBat] = "@echo";
    commands.SetTakenOverRows(&steps);
    for (const TakeoverEntry& e : ListTakeoverEntries(sources, kPlaces, {})) entries[e.name] = e;
  }
  std::string Said() { return boxes.shown.back().text; }
};

TEST(TakeoverSteps, AskAboutUnsavedEditsSayWhereTheOriginalIsKeepRowsWorkingAndGuardDeletes) {
  Desk d;
  d.unsaved = true;
  d.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
  EXPECT_FALSE(d.steps.TakeOver(d.entries["Tool"]));
  EXPECT_EQ(d.registry.keys[kRun].size() + d.saves, 1u);  // still there, nothing saved
  EXPECT_NE(d.Said().find("保存していない変更"), std::string::npos);
  ASSERT_TRUE(d.steps.TakeOver(d.entries["Tool"]));
  EXPECT_NE(d.Said().find("Morvelin\\Adopted\\Run」"), std::string::npos);
  d.unsaved = false;
  ASSERT_TRUE(d.steps.TakeOver(d.entries["Go.bat"]));
  EXPECT_NE(d.Said().find("ﾌｫﾙﾀﾞ「C:\\M\\Adopted\\」"), std::string::npos);
  EXPECT_EQ(d.store.Row(1).file, kKept + "Go.bat");
  EXPECT_TRUE(d.steps.IsTakenOver(1) && !d.steps.IsTakenOver(2) && !d.steps.IsTakenOver(-1));
  d.boxes.answers = {BoxAnswer::No};
  ASSERT_TRUE(d.steps.GiveBack(ListKeptEntries(d.sources, kPlaces).back()));
  EXPECT_EQ(d.Said().find("「Go.bat」を元の場所に戻しました: 「C:\\SU\\Go.bat」"), 0u);
  EXPECT_EQ(d.store.Row(1).file, kBat);  // the kept row starts the file put back
  EXPECT_EQ(d.saves, 4);                 // the edits, two new rows, the row pointed anew

  // Deleting a taken-over row: Cancel does nothing, No keeps the entry, Yes gives it back.
  d.boxes.answers = {BoxAnswer::Cancel, BoxAnswer::No, BoxAnswer::Ok};
  d.commands.DeleteBtnClick();
  EXPECT_EQ(d.store.Size(), 2);
  d.commands.DeleteBtnClick();
  EXPECT_NE(d.Said().find("ｽﾀｰﾄｱｯﾌﾟ項目ﾍﾟｰｼﾞに残っています"), std::string::npos);
  EXPECT_EQ(d.registry.keys[kRun].size() + d.store.Size(), 1u);  // Tool kept, its row gone
  const std::string marks = "CU\\Software\\Brel\\Morvelin\\Adopted\\Unlisted\\";
  EXPECT_EQ(d.registry.keys[marks + "Run"],
            (std::vector<RawValue>{{"Tool", kRegText, std::string(1, '\0')}}));
  // and it stays so at the next start, not taken for a taking over cut short and given back,
  EXPECT_TRUE(RepairTakeOver(d.sources, kPlaces, d.store.Rows()).empty());
  EXPECT_TRUE(d.registry.keys[kRun].empty());
  // until the page gives it back, which leaves no mark behind for a later taking over.
  d.boxes.answers = {BoxAnswer::Ok};
  ASSERT_TRUE(d.steps.GiveBack(ListKeptEntries(d.sources, kPlaces).front()));
  EXPECT_EQ(d.registry.keys[kRun].size() +
                d.registry.keys["CU\\" + std::string(kUnlistedValuesPath)].size(),
            1u);
  ASSERT_TRUE(d.steps.TakeOver(d.entries["Go.bat"]));
  d.inert.selected = 1;
  d.boxes.answers = {BoxAnswer::Yes, BoxAnswer::Ok};
  d.commands.DeleteBtnClick();
  EXPECT_EQ(d.files.files.count(kBat) + d.store.Size(), 2u);
  EXPECT_NE(d.Said().find("ﾘｽﾄの「Go.bat」は削除しました"), std::string::npos);
  // A kept file whose row goes with No stays kept at the next start too.
  ASSERT_TRUE(d.steps.TakeOver(d.entries["Go.bat"]));
  d.boxes.answers = {BoxAnswer::No, BoxAnswer::Ok};
  d.commands.DeleteBtnClick();
  EXPECT_TRUE(RepairTakeOver(d.sources, kPlaces, d.store.Rows()).empty());
  EXPECT_EQ(d.files.files.count(kBat), 0u);
  EXPECT_EQ(d.registry.keys[marks + "Startup"],
            (std::vector<RawValue>{{"Go.bat", kRegText, std::string(1, '\0')}}));
}

TEST(Uninstall, EverythingGoesBackFirstAndAnEntryThatCannotStopsTheRest) {
  // An entry known not to go back stops it before anything changes; one that fails on the way
  // leaves the others tried; the same bytes already in place (a giving back cut short) do not
  // stop it.
  enum Place { kFree, kFailsOnTheWay, kPlaceTaken, kAlreadyThere };
  for (const Place place : {kFree, kFailsOnTheWay, kPlaceTaken, kAlreadyThere}) {
    Desk d;
    const RawValue tool = d.registry.keys[kRun][0];
    ASSERT_TRUE(d.takeover.TakeOver(d.entries["Tool"]) && d.takeover.TakeOver(d.entries["Go.bat"]));
    if (place == kFailsOnTheWay) d.registry.failing = {"put " + kRun + "\\Tool"};
    if (place == kPlaceTaken) d.registry.keys[kRun] = {{"Tool", kRegText, "new"}};
    if (place == kAlreadyThere) d.registry.keys[kRun] = {tool};
    const bool stuck = place == kFailsOnTheWay || place == kPlaceTaken;
    d.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
    EXPECT_FALSE(d.uninstall.Run());
    EXPECT_EQ(d.uninstall.Run(), !stuck);
    EXPECT_EQ(d.files.files.count(kBat), place == kPlaceTaken ? 0u : 1u);
    EXPECT_EQ(d.registry.keys[kRun].size(), place == kFailsOnTheWay ? 0u : 1u);
    EXPECT_EQ(d.inert.links.size(), stuck ? 1u : 0u);
    EXPECT_NE(d.Said().find(stuck ? "「Tool」を元に戻せませんでした" : "ﾌｫﾙﾀﾞ「C:\\M\\」"),
              std::string::npos);
  }
  // A shortcut that cannot be removed is named at the end, for the user to delete.
  Desk d;
  d.inert.removes = false;
  d.boxes.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(d.uninstall.Run());
  EXPECT_NE(d.Said().find("削除して下さい:\r\nC:\\SU\\Morvelin.lnk\r\n"), std::string::npos);
}

}  // namespace
