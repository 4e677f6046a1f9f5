#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/texts.h"
#include "fakes/fake_platform.h"
#include "logon/logon_run.h"

namespace {

const std::string kItemFile = "C:\\Tools\\Morvelin\\Morvelin.ini";

LaunchItem Item(const std::string& file, const std::string& band = "00002359",
                const std::string& once = "000/00", bool enabled = true,
                const std::string& state = "0") {
  LaunchItem row;
  row.title = file.empty() ? "" : "Item " + file;
  row.file = file;
  row.folder = "C:\\Work";
  row.args = "/x " + file;
  row.state = state;
  row.band = band;
  row.once = once;
  row.enabled = enabled;
  return row;
}

class RunRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    launcher.SetApplicationWindow(&application_window);
    launcher.SetMainWindow(&main_window);
  }
  void Add(LaunchItem row) {
    store.Append(std::move(row));
    store.count = store.Size();
  }
  RunMarks Run(const std::string& today = "12/06", const std::string& clock = "08:30") {
    LogOnRun run(store, {today, clock}, files, kItemFile, launcher, errors, LogOnOptions{});
    run.Begin();
    return run.Marks();
  }
  std::vector<std::string> Launched() const {
    std::vector<std::string> out;
    for (const auto& call : shell.calls) out.push_back(call.file);
    return out;
  }
  std::optional<std::string> FileValue(const std::string& key) const {
    auto it = files.files.find(kItemFile);
    if (it == files.files.end()) return std::nullopt;
    return it->second.Get("Items", key);
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> out;
    for (const auto& box : boxes.shown) out.push_back(box.text);
    return out;
  }

  int application_window = 0;
  int main_window = 0;
  ItemStore store;
  FakeProfileFiles files;
  FakeShell shell;
  Launcher launcher{shell};
  FakeMessageBoxes boxes;
  MessageDialogs errors{boxes};
};

TEST_F(RunRulesTest, LaunchesThroughApplicationWindowWithRowFields) {
  Add(Item("C:\\Apps\\mail.exe", "00002359", "000/00", true, "1"));
  LaunchItem bare = Item("http://example.com/");
  bare.args.clear();
  bare.folder.clear();
  Add(bare);

  const RunMarks marks = Run();

  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0], (FakeShell::Call{&application_window, "C:\\Apps\\mail.exe",
                                             "/x C:\\Apps\\mail.exe", "C:\\Work", 2}));
  EXPECT_EQ(shell.calls[1],
            (FakeShell::Call{&application_window, "http://example.com/", "", "", 1}));
  EXPECT_EQ(marks, (RunMarks{"*", "*"}));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(files.opened_paths, std::vector<std::string>{kItemFile});
  EXPECT_EQ(files.open_files, 0);
}

TEST_F(RunRulesTest, ChecksFileThenBandThenEnabledBeforeAnythingElse) {
  LaunchItem no_file = Item("", "00002359", "100/00");
  no_file.title = "Mail";
  Add(no_file);         // 0: empty file, whatever the title
  Add(SeparatorRow());  // 1
  LaunchItem dash = Item("C:\\dash.exe");
  dash.title = "-";
  Add(dash);                                              // 2: titled "-" but has a file
  Add(Item("C:\\off.exe", "00002359", "100/00", false));  // 3: once, not enabled
  Add(Item("C:\\late.exe", "09000930", "100/00"));        // 4: once, outside its band

  const RunMarks marks = Run("12/06", "08:30");

  EXPECT_EQ(Launched(), std::vector<std::string>{"C:\\dash.exe"});
  EXPECT_EQ(marks, (RunMarks{" ", " ", "*", " ", " "}));
  EXPECT_TRUE(files.write_log.empty());
  EXPECT_EQ(store.Row(3).once, "100/00");
}

TEST_F(RunRulesTest, MarksOnlyTheLaunchedRows) {
  Add(Item("C:\\a.exe", "00002359", "000/00", false));
  Add(Item("C:\\b.exe"));
  Add(Item(""));
  Add(Item("C:\\d.exe"));
  Add(Item("C:\\e.exe", "12001300"));

  EXPECT_EQ(Run(), (RunMarks{" ", "*", " ", "*", " "}));
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\b.exe", "C:\\d.exe"}));
}

TEST_F(RunRulesTest, ShowCommandIsWindowStatePlusOne) {
  for (const char* state : {"0", "1", "2", "5", "-1"})
    Add(Item(std::string("C:\\s") + state + ".exe", "00002359", "000/00", true, state));

  Run();

  std::vector<int> shows;
  for (const auto& call : shell.calls) shows.push_back(call.show_command);
  EXPECT_EQ(shows, (std::vector<int>{1, 2, 3, 6, 0}));
}

TEST_F(RunRulesTest, OnceItemRunsOnFirstStartOfEachDayAndDateGoesToFileOnly) {
  for (int i = 0; i < 6; ++i) Add(SeparatorRow());
  Add(Item("C:\\daily.exe", "00002359", "100/00"));  // row 6

  EXPECT_EQ(Run("12/06", "08:12")[6], "*");
  EXPECT_EQ(FileValue("D6"), "112/06");
  EXPECT_EQ(store.Row(6).once, "100/00");  // memory keeps the loaded date

  // The next start-up the same day loads the written date.
  store.Row(6).once = "112/06";
  files.write_log.clear();
  EXPECT_EQ(Run("12/06", "17:00")[6], " ");
  EXPECT_EQ(FileValue("D6"), "112/06");

  EXPECT_EQ(Run("12/07", "08:00")[6], "*");
  EXPECT_EQ(FileValue("D6"), "112/07");
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\daily.exe", "C:\\daily.exe"}));
}

TEST_F(RunRulesTest, OnceRuleComparesMonthAndDayAndIgnoresRowsWithFlagOff) {
  Add(Item("C:\\a.exe", "00002359", "106/12"));  // same day, other month
  Add(Item("C:\\b.exe", "00002359", "012/06"));  // flag off: always due, never written
  Add(Item("C:\\c.exe", "00002359", ""));        // empty once field: due, never written
  Add(Item("C:\\d.exe", "00002359", "1"));       // flag alone: due

  Run("12/06");

  EXPECT_EQ(Launched(),
            (std::vector<std::string>{"C:\\a.exe", "C:\\b.exe", "C:\\c.exe", "C:\\d.exe"}));
  EXPECT_EQ(files.write_log, (std::vector<std::string>{"D0=112/06", "D3=112/06"}));
}

TEST_F(RunRulesTest, WriteFailureIsShownOnceAfterAllLaunches) {
  Add(Item("C:\\a.exe", "00002359", "100/00"));
  Add(Item("C:\\b.exe", "00002359", "100/00"));
  Add(Item("C:\\c.exe", "00002359", "100/00"));
  files.failing_writes.insert("D1");

  const RunMarks marks = Run();

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{kItemFile + " に書き込めません."});
  EXPECT_EQ(boxes.shown[0].caption, "Morvelin");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Error);
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\a.exe", "C:\\b.exe", "C:\\c.exe"}));
  EXPECT_EQ(marks, (RunMarks{"*", "*", "*"}));
  // The dates go in one write, which failed whole.
  for (const char* key : {"D0", "D1", "D2"}) EXPECT_EQ(FileValue(key), std::nullopt) << key;
}

TEST_F(RunRulesTest, WindowStateThatIsNotANumberSkipsOnlyThatRow) {
  Add(Item("C:\\a.exe", "00002359", "100/00", true, "x"));
  Add(Item("C:\\b.exe", "00002359", "000/00", true, ""));
  Add(Item("C:\\c.exe", "00002359", "000/00", true, "2x"));
  Add(Item("C:\\d.exe"));

  const RunMarks marks = Run();

  EXPECT_EQ(BoxTexts(),
            (std::vector<std::string>{"'x' は整数ではありません.", "'' は整数ではありません.",
                                      "'2x' は整数ではありません."}));
  EXPECT_EQ(Launched(), std::vector<std::string>{"C:\\d.exe"});
  EXPECT_EQ(marks, (RunMarks{" ", " ", " ", "*"}));
  // The faulty once row never started, so it is not marked as run today.
  EXPECT_TRUE(files.write_log.empty());
}

TEST_F(RunRulesTest, VisitsRowsUpToCountAndNeverPastTheList) {
  Add(Item("C:\\a.exe"));
  Add(Item("C:\\b.exe"));
  Add(Item("C:\\c.exe"));

  store.count = 2;
  EXPECT_EQ(Run(), (RunMarks{"*", "*"}));
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\a.exe", "C:\\b.exe"}));

  shell.calls.clear();
  store.count = 9;
  EXPECT_EQ(Run().size(), 3u);
  EXPECT_EQ(shell.calls.size(), 3u);

  shell.calls.clear();
  store.count = -1;
  EXPECT_TRUE(Run().empty());
  EXPECT_TRUE(shell.calls.empty());
}

TEST(TimeBand, BothEndsAreInclusiveToTheMinute) {
  EXPECT_TRUE(InTimeBand("08300900", "08:30"));
  EXPECT_TRUE(InTimeBand("07000830", "08:30"));
  EXPECT_FALSE(InTimeBand("08310900", "08:30"));
  EXPECT_FALSE(InTimeBand("07000829", "08:30"));
  EXPECT_TRUE(InTimeBand("00002359", "00:00"));
  EXPECT_TRUE(InTimeBand("00002359", "23:59"));
  EXPECT_TRUE(InTimeBand("0830090099", "08:45"));  // characters past the eighth play no part
}

TEST(TimeBand, StartAfterEndReachesOverMidnight) {
  EXPECT_TRUE(InTimeBand("22000200", "23:00"));
  EXPECT_TRUE(InTimeBand("22000200", "01:00"));
  EXPECT_TRUE(InTimeBand("22000200", "22:00"));
  EXPECT_TRUE(InTimeBand("22000200", "02:00"));
  EXPECT_TRUE(InTimeBand("22000200", "00:00"));
  EXPECT_FALSE(InTimeBand("22000200", "12:00"));
  EXPECT_FALSE(InTimeBand("22000200", "02:01"));
  EXPECT_FALSE(InTimeBand("22000200", "21:59"));
}

TEST(TimeBand, StartEqualToEndAdmitsThatMinuteOnly) {
  EXPECT_TRUE(InTimeBand("12341234", "12:34"));
  EXPECT_FALSE(InTimeBand("12341234", "12:33"));
  EXPECT_FALSE(InTimeBand("12341234", "12:35"));
}

TEST(TimeBand, EmptyShortOrGarbledBandAdmitsNothing) {
  for (const char* band :
       {"", "0", "0000", "0000235", "00:02359", "0a002359", "000023 9", "00002３"}) {
    for (const char* clock : {"00:00", "08:30", "23:59"})
      EXPECT_FALSE(InTimeBand(band, clock)) << "band '" << band << "' at " << clock;
  }
}

TEST_F(RunRulesTest, OvernightAndEmptyBandsInARun) {
  Add(Item("C:\\night.exe", "22000200"));
  Add(Item("C:\\none.exe", ""));
  Add(Item("C:\\short.exe", "0000"));

  Run("12/06", "23:00");
  Run("12/07", "12:00");

  EXPECT_EQ(Launched(), std::vector<std::string>{"C:\\night.exe"});
}

TEST(LogOnKeys, TogglesOnlyWhenStateDiffersFromOption) {
  FakeKeyboard keyboard;
  keyboard.toggled = {{kVkCapital, true}, {kVkNumLock, true}};
  ApplyCapsLock(keyboard, false);
  ApplyNumLock(keyboard, false);
  EXPECT_EQ(keyboard.events,
            (std::vector<std::string>{"press 20", "release 20", "press 144", "release 144"}));
  EXPECT_FALSE(keyboard.toggled[kVkCapital]);
  EXPECT_FALSE(keyboard.toggled[kVkNumLock]);

  keyboard.events.clear();
  ApplyCapsLock(keyboard, true);
  ApplyNumLock(keyboard, true);
  EXPECT_EQ(keyboard.events.size(), 4u);
  EXPECT_TRUE(keyboard.toggled[kVkCapital]);
  EXPECT_TRUE(keyboard.toggled[kVkNumLock]);

  keyboard.events.clear();
  ApplyCapsLock(keyboard, true);
  ApplyNumLock(keyboard, true);
  keyboard.toggled = {{kVkCapital, false}, {kVkNumLock, false}};
  ApplyCapsLock(keyboard, false);
  ApplyNumLock(keyboard, false);
  EXPECT_TRUE(keyboard.events.empty());
}

TEST(LogOnKeys, ConveniencesRunCapsThenNumThenRecentDocuments) {
  std::vector<std::string> log;
  FakeKeyboard keyboard;
  FakeShell shell;
  keyboard.event_log = &log;
  shell.event_log = &log;
  AppSettings settings;
  settings.caps = true;
  settings.num = true;
  settings.clear_recent = true;

  ApplyLogOnConveniences(settings, keyboard, shell);
  EXPECT_EQ(log, (std::vector<std::string>{"key 20", "key 144", "clear recent"}));

  log.clear();
  settings.clear_recent = false;
  ApplyLogOnConveniences(settings, keyboard, shell);
  EXPECT_TRUE(log.empty());
}

}  // namespace
