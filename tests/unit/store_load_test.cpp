#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store_fixture.h"

namespace {

class StoreLoad : public StoreFixture {
 protected:
  void PutRow(int i, const LaunchItem& row, const std::string& flag) {
    for (char letter : kFieldLetters) PutItem(letter + std::to_string(i), FieldOf(row, letter));
    PutItem("C" + std::to_string(i), flag);
  }
};

LaunchItem MakeRow(const std::string& title, const std::string& file) {
  LaunchItem row;
  row.title = title;
  row.file = file;
  row.folder = "C:\\Work";
  row.args = "/quiet";
  row.state = "1";
  row.band = "08001700";
  row.once = "112/06";
  row.home = "http://example.jp/";
  return row;
}

TEST_F(StoreLoad, FirstStartGivesDefaultsAndAnEmptyListWithoutWritingAnything) {
  // Whatever was in memory before, the load replaces it with what is stored: here nothing.
  settings.left = 50;
  settings.home_page = "old";
  settings.launcher = false;
  settings.caps = true;
  store.Append(MakeRow("stale", "stale.exe"));
  store.count = 1;

  persistence.Load(settings, store);

  EXPECT_EQ(settings, AppSettings{});
  EXPECT_EQ(settings.height, 333);
  EXPECT_EQ(settings.width, 485);
  EXPECT_TRUE(settings.launcher);
  EXPECT_EQ(store.count, 0);
  EXPECT_TRUE(store.Empty());
  EXPECT_TRUE(registry.write_log.empty());
  EXPECT_TRUE(registry.values.empty());
  EXPECT_TRUE(files.write_log.empty());
  EXPECT_TRUE(files.files.empty());
  EXPECT_EQ(registry.opened_paths, std::vector<std::string>{"\\Software\\Brel\\Morvelin"});
  EXPECT_EQ(registry.open_keys, 0);
  EXPECT_EQ(files.open_files, 0);
}

TEST_F(StoreLoad, ReadsTheSettingsInTheirOrderFromTheWindowSection) {
  persistence.Load(settings, store);
  const std::vector<std::string> expected = {
      "Window\\Left", "Window\\Top",   "Window\\Height", "Window\\Width", "Window\\MP",
      "Window\\Lanc", "Window\\Clear", "Window\\Caps",   "Window\\Num",   "Window\\MenuIcon",
      "Window\\Skip", "Window\\Wait",  "Window\\Count"};
  EXPECT_EQ(registry.read_log, expected);
}

TEST_F(StoreLoad, StoredSettingsAreApplied) {
  registry.Set("Window", "Left", "-20");
  registry.Set("Window", "Top", "40");
  registry.Set("Window", "Height", "600");
  registry.Set("Window", "Width", "800");
  registry.Set("Window", "MP", "http://example.jp/ホーム");
  registry.Set("Window", "Lanc", "0");
  registry.Set("Window", "Clear", "1");
  registry.Set("Window", "Caps", "1");
  registry.Set("Window", "Num", "1");
  registry.Set("Window", "MenuIcon", "1");

  persistence.Load(settings, store);

  EXPECT_EQ(settings.left, -20);
  EXPECT_EQ(settings.top, 40);
  EXPECT_EQ(settings.height, 600);
  EXPECT_EQ(settings.width, 800);
  EXPECT_EQ(settings.home_page, "http://example.jp/ホーム");
  EXPECT_FALSE(settings.launcher);
  EXPECT_TRUE(settings.clear_recent);
  EXPECT_TRUE(settings.caps);
  EXPECT_TRUE(settings.num);
  EXPECT_TRUE(settings.menu_icon);
}

TEST_F(StoreLoad, IntegersThatAreNotIntegersFallBackToTheirDefaults) {
  registry.Set("Window", "Left", "abc");
  registry.Set("Window", "Top", "");
  registry.Set("Window", "Height", "99999999999");  // beyond 32 bits
  registry.Set("Window", "Width", "12px");

  persistence.Load(settings, store);

  EXPECT_EQ(settings.left, 0);
  EXPECT_EQ(settings.top, 0);
  EXPECT_EQ(settings.height, 333);
  EXPECT_EQ(settings.width, 485);
}

TEST_F(StoreLoad, BooleansAreNonZeroIntegersAndWordsKeepTheirDefault) {
  registry.Set("Window", "Clear", "2");
  registry.Set("Window", "Caps", "-1");
  registry.Set("Window", "Num", "yes");       // not a number: default off
  registry.Set("Window", "Lanc", "no");       // not a number: default on
  registry.Set("Window", "MenuIcon", "0x1");  // hexadecimal one

  persistence.Load(settings, store);

  EXPECT_TRUE(settings.clear_recent);
  EXPECT_TRUE(settings.caps);
  EXPECT_FALSE(settings.num);
  EXPECT_TRUE(settings.launcher);
  EXPECT_TRUE(settings.menu_icon);
}

TEST_F(StoreLoad, RowsLoadColumnByColumnWithEachFlagReadRightAfterItsTitle) {
  registry.Set("Window", "Count", "2");
  const LaunchItem first = MakeRow("メモ帳", "C:\\ソフト\\notepad.exe");
  const LaunchItem second = MakeRow("-", "");
  PutRow(0, first, "1");
  PutRow(1, second, "0");

  persistence.Load(settings, store);

  ASSERT_EQ(store.Size(), 2);
  EXPECT_EQ(store.count, 2);
  LaunchItem expected_first = first;
  expected_first.enabled = true;
  EXPECT_EQ(store.Row(0), expected_first);
  EXPECT_EQ(store.Row(1), second);
  const std::vector<std::string> expected_reads = {"T0", "C0", "T1", "C1", "F0", "F1",
                                                   "W0", "W1", "A0", "A1", "S0", "S1",
                                                   "H0", "H1", "D0", "D1", "P0", "P1"};
  EXPECT_EQ(files.read_log, expected_reads);
  EXPECT_EQ(files.opened_paths, std::vector<std::string>{kIniPath});
  EXPECT_EQ(files.open_files, 0);
  EXPECT_EQ(registry.open_keys, 0);
}

TEST_F(StoreLoad, EnabledFlagIsAnyNonZeroIntegerInDecimalOrHex) {
  const std::vector<std::pair<std::string, bool>> flags = {
      {"1", true},    {"0", false}, {"", false},  {"0x10", true}, {"0X0", false},
      {"abc", false}, {"2", true},  {"-1", true}, {" 1 ", true},  {"1x", false}};
  registry.Set("Window", "Count", std::to_string(flags.size()));
  for (size_t i = 0; i < flags.size(); ++i) {
    PutItem("T" + std::to_string(i), "row" + std::to_string(i));
    PutItem("C" + std::to_string(i), flags[i].first);
  }

  persistence.Load(settings, store);

  ASSERT_EQ(store.Size(), static_cast<int>(flags.size()));
  for (size_t i = 0; i < flags.size(); ++i)
    EXPECT_EQ(store.Row(static_cast<int>(i)).enabled, flags[i].second)
        << "C" << i << " = '" << flags[i].first << "'";
}

TEST_F(StoreLoad, CountBeyondTheRowsInTheFileGivesEmptyDisabledRows) {
  registry.Set("Window", "Count", "3");
  PutRow(0, MakeRow("one", "one.exe"), "1");

  persistence.Load(settings, store);

  ASSERT_EQ(store.Size(), 3);
  EXPECT_EQ(store.Row(0).title, "one");
  EXPECT_EQ(store.Row(1), LaunchItem{});
  EXPECT_EQ(store.Row(2), LaunchItem{});
  EXPECT_TRUE(files.write_log.empty());
}

TEST_F(StoreLoad, NegativeOrNonNumericCountLoadsNoRows) {
  PutRow(0, MakeRow("one", "one.exe"), "1");
  // Rows are stored, so only "0" says the list is empty; the others leave them unread.
  for (const std::string count : {"-5", "many", "0"}) {
    registry.Set("Window", "Count", count);
    persistence.Load(settings, store);
    EXPECT_TRUE(store.Empty()) << count;
    EXPECT_LE(store.count, 0) << count;
    EXPECT_EQ(persistence.RowsRead(), count == "0") << count;
  }
  EXPECT_TRUE(files.write_log.empty());
}

TEST_F(StoreLoad, KeysBeyondCountAreNeverRead) {
  registry.Set("Window", "Count", "1");
  PutRow(0, MakeRow("kept", "kept.exe"), "1");
  PutRow(1, MakeRow("old", "old.exe"), "1");

  persistence.Load(settings, store);

  ASSERT_EQ(store.Size(), 1);
  EXPECT_EQ(store.Row(0).title, "kept");
  for (const std::string& key : files.read_log) EXPECT_EQ(key.back(), '0') << key;
}

TEST_F(StoreLoad, ValuesLongerThanTheOldReadBufferComeBackWhole) {
  // 2100 bytes of Shift-JIS text: the old 2048-byte buffer cut it, and the next save wrote
  // the cut value back, losing the tail for good.
  std::string long_args;
  while (long_args.size() < 2100) long_args += "引数";
  long_args += "END";
  registry.Set("Window", "Count", "1");
  LaunchItem row = MakeRow("長い", "long.exe");
  row.args = long_args;
  PutRow(0, row, "1");

  persistence.Load(settings, store);
  ASSERT_EQ(store.Size(), 1);
  EXPECT_EQ(store.Row(0).args, long_args);

  persistence.Save(settings, store);
  EXPECT_EQ(files.files[kIniPath].Get("Items", "A0"), long_args);
}

TEST_F(StoreLoad, AFailedReadIsForgottenByTheNextLoad) {
  registry.Set("Window", "Count", "1");
  PutRow(0, MakeRow("Mail", "C:\\mail.exe"), "1");
  files.unreadable = {kIniPath};
  EXPECT_ANY_THROW(persistence.Load(settings, store));
  EXPECT_FALSE(persistence.ItemFileError().empty());
  files.unreadable.clear();
  persistence.Load(settings, store);
  EXPECT_TRUE(persistence.ItemFileError().empty() && store.Size() == 1);
}

}  // namespace
