#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "store_fixture.h"

namespace {

LaunchItem Row(const std::string& tag, const std::string& once, bool enabled) {
  LaunchItem row;
  row.title = "T-" + tag;
  row.file = "F-" + tag;
  row.folder = "W-" + tag;
  row.args = "A-" + tag;
  row.state = "2";
  row.band = "00002359";
  row.once = once;
  row.home = "P-" + tag;
  row.enabled = enabled;
  return row;
}

using StoreSave = StoreFixture;

TEST_F(StoreSave, NewFileReceivesTitlesWithFlagsThenEachColumnInTurn) {
  SetRows({Row("a", "100/00", true), Row("b", "112/06", false)});

  persistence.Save(settings, store);

  const std::vector<std::string> expected = {
      "T0=T-a",      "C0=1",        "T1=T-b",    "C1=0",      "F0=F-a", "F1=F-b",
      "W0=W-a",      "W1=W-b",      "A0=A-a",    "A1=A-b",    "S0=2",   "S1=2",
      "H0=00002359", "H1=00002359", "D0=100/00", "D1=112/06", "P0=P-a", "P1=P-b"};
  EXPECT_EQ(files.write_log, expected);
  EXPECT_EQ(files.opened_paths, std::vector<std::string>{kIniPath});
  // On disk the keys sit in the order they were first written.
  ASSERT_EQ(files.files[kIniPath].keys.size(), expected.size());
  EXPECT_EQ(files.files[kIniPath].keys.front().first, "Items\\T0");
  EXPECT_EQ(files.files[kIniPath].keys[1].first, "Items\\C0");
  EXPECT_EQ(files.files[kIniPath].keys.back().first, "Items\\P1");
  EXPECT_EQ(files.open_files, 0);
  EXPECT_EQ(registry.open_keys, 0);
}

TEST_F(StoreSave, SettingsAreWrittenAsTextInTheirOrder) {
  settings.left = -20;
  settings.top = 7;
  settings.height = 600;
  settings.width = 800;
  settings.home_page = "http://example.jp/ホーム";
  settings.launcher = false;
  settings.clear_recent = true;
  settings.caps = false;
  settings.num = true;
  settings.menu_icon = true;
  SetRows({Row("a", "000/00", false), Row("b", "000/00", false), Row("c", "000/00", false)});

  persistence.Save(settings, store);

  const std::vector<std::string> expected = {"Window\\Left=-20",
                                             "Window\\Top=7",
                                             "Window\\Height=600",
                                             "Window\\Width=800",
                                             "Window\\MP=http://example.jp/ホーム",
                                             "Window\\Lanc=0",
                                             "Window\\Clear=1",
                                             "Window\\Caps=0",
                                             "Window\\Num=1",
                                             "Window\\MenuIcon=1",
                                             "Window\\Count=3"};
  EXPECT_EQ(registry.write_log, expected);
  EXPECT_EQ(registry.opened_paths, std::vector<std::string>{"\\Software\\Brel\\Morvelin"});
}

TEST_F(StoreSave, OnceFieldWithItsFlagOffForgetsItsDateInTheStoreToo) {
  SetRows({Row("off", "012/06", true), Row("on", "112/06", true), Row("empty", "", true),
           Row("never", "000/00", true)});

  persistence.Save(settings, store);

  EXPECT_EQ(Stored("D0"), "000/00");
  EXPECT_EQ(Stored("D1"), "112/06");
  EXPECT_EQ(Stored("D2"), "");
  EXPECT_EQ(Stored("D3"), "000/00");
  EXPECT_EQ(store.Row(0).once, "000/00");
  EXPECT_EQ(store.Row(1).once, "112/06");
  EXPECT_EQ(store.Row(2).once, "");
}

TEST_F(StoreSave, WhatIsSavedLoadsBackTheSame) {
  settings.left = 10;
  settings.home_page = "http://example.jp/";
  settings.caps = true;
  settings.launcher = false;
  LaunchItem japanese = Row("ソフト表示", "112/31", true);
  japanese.file = "C:\\ソフト\\表示.exe";
  SetRows({japanese, SeparatorRow(), Row("x", "100/00", false)});
  persistence.Save(settings, store);
  const AppSettings saved_settings = settings;
  const std::vector<LaunchItem> saved_rows = store.Rows();

  AppSettings loaded_settings;
  ItemStore loaded;
  persistence.Load(loaded_settings, loaded);

  EXPECT_EQ(loaded_settings, saved_settings);
  EXPECT_EQ(loaded.Rows(), saved_rows);
  EXPECT_EQ(loaded.count, 3);
}

TEST_F(StoreSave, ShrinkingTheListLeavesTheOldRowsInTheFileButTheyAreNotLoaded) {
  SetRows({Row("0", "100/00", true), Row("1", "100/00", true), Row("2", "100/00", true),
           Row("3", "100/00", true), Row("4", "100/00", true)});
  persistence.Save(settings, store);
  store.Delete(4);
  store.Delete(1);
  store.count = store.Size();
  files.write_log.clear();

  persistence.Save(settings, store);

  EXPECT_FALSE(files.write_log.empty());
  for (const std::string& entry : files.write_log)
    EXPECT_TRUE(entry[1] >= '0' && entry[1] <= '2') << entry;
  EXPECT_EQ(registry.Get("Window", "Count"), "3");
  EXPECT_EQ(Stored("T1"), "T-2");
  for (const char* key : {"T3", "F3", "W3", "A3", "S3", "H3", "D3", "P3", "C3", "T4", "F4", "W4",
                          "A4", "S4", "H4", "D4", "P4", "C4"})
    EXPECT_TRUE(Stored(key).has_value()) << key;
  EXPECT_EQ(Stored("T3"), "T-3");
  EXPECT_EQ(Stored("P4"), "P-4");

  AppSettings loaded_settings;
  ItemStore loaded;
  persistence.Load(loaded_settings, loaded);
  ASSERT_EQ(loaded.Size(), 3);
  EXPECT_EQ(loaded.Row(0).title, "T-0");
  EXPECT_EQ(loaded.Row(1).title, "T-2");
  EXPECT_EQ(loaded.Row(2).title, "T-3");
}

TEST_F(StoreSave, EmptyListWritesCountZeroAndNoItemKeys) {
  PutItem("T0", "left over");
  SetRows({});

  persistence.Save(settings, store);

  EXPECT_EQ(registry.Get("Window", "Count"), "0");
  EXPECT_TRUE(files.write_log.empty());
  EXPECT_EQ(Stored("T0"), "left over");
}

TEST_F(StoreSave, CountBeyondTheRowsHeldIsRefusedBeforeAnythingIsWritten) {
  SetRows({Row("a", "100/00", true)});
  store.count = 2;

  EXPECT_THROW(persistence.Save(settings, store), std::invalid_argument);

  EXPECT_TRUE(registry.write_log.empty());
  EXPECT_TRUE(files.write_log.empty());
}

}  // namespace
