#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store_fixture.h"

namespace {

const std::vector<std::string> kValueNames = {"Left",  "Top",  "Height", "Width",    "MP",   "Lanc",
                                              "Clear", "Caps", "Num",    "MenuIcon", "Count"};

class StoreFailure : public StoreFixture {
 protected:
  // Every value differs from its default, so a value left unread is visible.
  void StoreNonDefaultSettings(const std::string& count = "1") {
    registry.Set("Window", "Left", "11");
    registry.Set("Window", "Top", "22");
    registry.Set("Window", "Height", "444");
    registry.Set("Window", "Width", "555");
    registry.Set("Window", "MP", "http://example.jp/");
    registry.Set("Window", "Lanc", "0");
    registry.Set("Window", "Clear", "1");
    registry.Set("Window", "Caps", "1");
    registry.Set("Window", "Num", "1");
    registry.Set("Window", "MenuIcon", "1");
    registry.Set("Window", "Count", count);
    PutItem("T0", "row");
  }

  // The settings as they stand when the load stopped at value `stop` (not applied).
  static AppSettings ExpectedUpTo(size_t stop) {
    AppSettings s;
    const auto read = [stop](size_t i) { return i < stop; };
    if (read(0)) s.left = 11;
    if (read(1)) s.top = 22;
    if (read(2)) s.height = 444;
    if (read(3)) s.width = 555;
    if (read(4)) s.home_page = "http://example.jp/";
    if (read(5)) s.launcher = false;
    if (read(6)) s.clear_recent = true;
    if (read(7)) s.caps = true;
    if (read(8)) s.num = true;
    if (read(9)) s.menu_icon = true;
    return s;
  }

  std::string LoadError() {
    try {
      persistence.Load(settings, store);
    } catch (const AppError& e) {
      return e.what();
    }
    return "(no error)";
  }
  std::string SaveError() {
    try {
      persistence.Save(settings, store);
    } catch (const AppError& e) {
      return e.what();
    }
    return "(no error)";
  }
};

class UnreadableValue : public StoreFailure, public ::testing::WithParamInterface<size_t> {};

TEST_P(UnreadableValue, EndsTheLoadThereKeepingWhatWasRead) {
  const size_t stop = GetParam();
  StoreNonDefaultSettings();
  registry.failing_reads = {"Window\\" + kValueNames[stop]};

  EXPECT_EQ(LoadError(), "'" + kValueNames[stop] + "' の取得に失敗しました");

  EXPECT_EQ(settings, ExpectedUpTo(stop));
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(store.count, 0);
  EXPECT_TRUE(files.opened_paths.empty());
  EXPECT_EQ(registry.open_keys, 0);
  EXPECT_TRUE(registry.write_log.empty());
}

INSTANTIATE_TEST_SUITE_P(EachValue, UnreadableValue, ::testing::Range<size_t>(0, 11),
                         [](const auto& info) { return kValueNames[info.param]; });

TEST_F(StoreFailure, ValueOfTheWrongTypeEndsTheLoadWithItsName) {
  StoreNonDefaultSettings();
  registry.values["Window\\Caps"].is_text = false;

  EXPECT_EQ(LoadError(), "'Caps' のデータ型が不正です");

  EXPECT_EQ(settings, ExpectedUpTo(7));
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(registry.open_keys, 0);
}

TEST_F(StoreFailure, UnwritableValueEndsTheSaveAfterTheValuesBeforeIt) {
  store.Append(SeparatorRow());
  store.count = 1;
  settings.left = 5;
  registry.failing_writes = {"Window\\MP"};

  EXPECT_EQ(SaveError(), "'MP' の設定に失敗しました");

  const std::vector<std::string> expected = {"Window\\Left=5", "Window\\Top=0",
                                             "Window\\Height=333", "Window\\Width=485"};
  EXPECT_EQ(registry.write_log, expected);
  EXPECT_TRUE(files.opened_paths.empty());
  EXPECT_TRUE(files.write_log.empty());
  EXPECT_EQ(registry.open_keys, 0);
}

TEST_F(StoreFailure, SectionThatCannotBeCreatedEndsTheSaveWithItsName) {
  store.Append(SeparatorRow());
  store.count = 1;
  registry.uncreatable_sections = {"Window"};

  EXPECT_EQ(SaveError(), "キー Window の作成に失敗しました");

  EXPECT_TRUE(registry.write_log.empty());
  EXPECT_TRUE(files.write_log.empty());
  EXPECT_EQ(registry.open_keys, 0);
}

TEST_F(StoreFailure, UnwritableItemKeyEndsTheSaveWithTheFilePath) {
  LaunchItem first = SeparatorRow();
  first.once = "012/06";
  store.Append(first);
  store.Append(SeparatorRow());
  store.count = 2;
  files.failing_writes = {"F1"};

  EXPECT_EQ(SaveError(), "C:\\Tools\\Morvelin\\Morvelin.ini に書き込めません");

  // The rows go in one replacement that failed whole, and "Count" never followed them.
  EXPECT_TRUE(files.write_log.empty());
  EXPECT_TRUE(files.files[kIniPath].keys.empty());
  EXPECT_EQ(registry.write_log.size(), kValueNames.size() - 1);
  EXPECT_EQ(registry.Get("Window", "Count"), std::nullopt);
  EXPECT_EQ(files.open_files, 0);
  EXPECT_EQ(registry.open_keys, 0);
}

TEST_F(StoreFailure, HugeCountLoadsNoRowsAndSaysSoWithoutTouchingTheFile) {
  StoreNonDefaultSettings("2147483647");

  EXPECT_EQ(LoadError(),
            "アイテム数 2147483647 が上限の 10000 を超えています。"
            "アイテムは読み込まれませんでした");

  // The settings before Count stay applied; Count itself stays 0 in memory.
  EXPECT_EQ(settings, ExpectedUpTo(10));
  EXPECT_EQ(store.count, 0);
  EXPECT_TRUE(store.Empty());
  EXPECT_TRUE(files.opened_paths.empty());
  EXPECT_TRUE(files.write_log.empty());
  EXPECT_TRUE(registry.write_log.empty());
  EXPECT_EQ(registry.open_keys, 0);
}

TEST_F(StoreFailure, CountAtTheBoundStillLoadsAndOneMoreIsRefused) {
  registry.Set("Window", "Count", std::to_string(kMaxItemRows));
  persistence.Load(settings, store);
  EXPECT_EQ(store.Size(), kMaxItemRows);
  EXPECT_EQ(store.count, kMaxItemRows);

  registry.Set("Window", "Count", std::to_string(kMaxItemRows + 1));
  EXPECT_NE(LoadError(), "(no error)");
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(store.count, 0);
}

}  // namespace
