#include "shell/takeover_steps.h"

#include <gtest/gtest.h>

#include <string>

#include "editing/list_commands.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_startup.h"

namespace {

const std::string kRun = "CU\\" + std::string(kRunKeyPath), kBat = "C:\\SU\\Go.bat";
const RawValue kTool{"Tool", kRegText, std::string("C:\\T\\tool.exe\0", 15)};

struct NoView : ItemListView, ItemDialogRunner {
  int selected = 0;
  void ShowRows(const std::vector<LaunchItem>&) override {}
  int SelectedIndex() override { return selected; }
  void Select(int) override {}
  void EnableRowButtons(bool) override {}
  std::optional<ItemDialogResult> Run(const ItemDialogFields&) override { return {}; }
};

// The page's steps and the list's Delete over one user's start-up places.
struct Desk {
  FakeRawRegistry registry;
  FakeFileStore files;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  ItemStore store;
  bool unsaved = false;
  int saves = 0;
  StartupSources sources{registry, files, files};
  Adoption adoption{
      sources, dialogs, {store, [this] { return ++saves, true; }, [] {}}, "C:\\M\\A\\"};
  TakeoverSteps steps{adoption,
                      dialogs,
                      {store, [this] { return unsaved; }, [this] { return ++saves, true; },
                       [this] { return ListAdoptedEntries(sources, "C:\\M\\A\\"); }},
                      "C:\\M\\A\\"};
  NoView view;
  FakeSystem system;
  FakeShell shell;
  Launcher launcher{shell};
  ListCommands commands{store, view, view, dialogs, system, launcher};

  Desk() {
    registry.keys[kRun] = {kTool};
    files.files[kBat] = "@echo";
    commands.SetTakenOverRows(&steps);
  }
  StartupEntry Named(const std::string& name) {
    for (const StartupEntry& e : ListStartupEntries(sources, {"C:\\SU", "", "C:\\M\\A\\", "m"}, {}))
      if (e.name == name) return e;
    return {};
  }
  std::string LastBox() { return boxes.shown.empty() ? "" : boxes.shown.back().text; }
};

TEST(TakeoverSteps, UnsavedEditsGoWithAStepOnlyOnYesAndEachStepSaysWhereTheOriginalIs) {
  Desk d;
  d.unsaved = true;
  d.boxes.answers = {BoxAnswer::No};
  EXPECT_FALSE(d.steps.Adopt(d.Named("Tool")));
  EXPECT_EQ(d.registry.keys[kRun], std::vector<RawValue>{kTool});
  EXPECT_EQ(d.saves, 0);
  EXPECT_NE(d.LastBox().find("保存していない変更"), std::string::npos);
  d.boxes.answers = {BoxAnswer::Yes};
  ASSERT_TRUE(d.steps.Adopt(d.Named("Tool")));
  EXPECT_EQ(d.saves, 2);  // the edits, then the list with its new row
  EXPECT_NE(d.LastBox().find("Morvelin\\Adopted\\Run」"), std::string::npos);
  d.unsaved = false;
  ASSERT_TRUE(d.steps.Adopt(d.Named("Go.bat")));
  EXPECT_NE(d.LastBox().find("ﾌｫﾙﾀﾞ「C:\\M\\A\\」"), std::string::npos);
  EXPECT_EQ(d.boxes.shown.size(), 4u);
}

TEST(TakeoverSteps, AFileGivenBackWithItsRowKeptIsStartedFromWhereItWasPut) {
  Desk d;
  ASSERT_TRUE(d.steps.Adopt(d.Named("Go.bat")));
  ASSERT_EQ(d.store.Row(0).file, "C:\\M\\A\\Go.bat");
  d.boxes.answers = {BoxAnswer::No};
  ASSERT_TRUE(d.steps.GiveBack(d.Named("Go.bat")));
  EXPECT_EQ(d.files.files, (std::map<std::string, std::string>{{kBat, "@echo"}}));
  EXPECT_EQ(d.store.Row(0).file, kBat);
  EXPECT_EQ(d.saves, 2);
  EXPECT_EQ(d.LastBox().find("「Go.bat」を元の場所に戻しました: 「C:\\SU\\Go.bat」"), 0u);
}

TEST(TakeoverSteps, DeletingATakenOverRowGivesItBackOnYesKeepsItOnNoAndCancelDoesNothing) {
  const struct {
    BoxAnswer answer;
    size_t rows;
    bool back;
    const char* said;
  } cases[] = {{BoxAnswer::Yes, 1, true, "ﾘｽﾄの「Tool」は削除しました"},
               {BoxAnswer::No, 1, false, "ｽﾀｰﾄｱｯﾌﾟ項目ﾍﾟｰｼﾞに残っています"},
               {BoxAnswer::Cancel, 2, false, "取り込んだ項目です"}};
  for (const auto& c : cases) {
    Desk d;
    d.store.Append(LaunchItem{"Other", "C:\\o.exe", "", "", "0", "", "", "", true});
    ASSERT_TRUE(d.steps.Adopt(d.Named("Tool")));
    d.view.selected = 1;
    d.boxes.answers = {c.answer, BoxAnswer::Ok};
    d.commands.DeleteBtnClick();
    EXPECT_EQ(d.store.Size(), static_cast<int>(c.rows));
    EXPECT_EQ(d.store.Row(0).title, "Other");
    EXPECT_EQ(d.registry.keys[kRun] == std::vector<RawValue>{kTool}, c.back);
    EXPECT_NE(d.LastBox().find(c.said), std::string::npos) << d.LastBox();
  }
}

}  // namespace
