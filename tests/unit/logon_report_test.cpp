#include "logon/logon_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/running_check.h"
#include "fakes/fake_logon.h"

namespace {

RowReport Row(RowOutcome outcome, const std::string& title = "Mail") {
  RowReport report;
  report.row = 3;
  report.title = title;
  report.outcome = outcome;
  return report;
}

TEST(LogOnReport, EveryOutcomeHasItsLine) {
  RowReport launched = Row(RowOutcome::Launched);
  launched.answer = {42, 0};
  RowReport timed = launched;  // started after the run began, without waiting for anything
  timed.started_at = "09:00:05";
  RowReport idle_limit = timed;  // the machine never calmed down
  idle_limit.waited = WaitReason::IdleLimit;
  idle_limit.waited_ms = 300500;
  RowReport failed = Row(RowOutcome::Failed);
  failed.answer = {2, 2};
  failed.detail = "指定されたファイルが見つかりません。\r\n";
  RowReport unknown_type = Row(RowOutcome::Failed);
  unknown_type.answer = {31, 0};
  RowReport band = Row(RowOutcome::OutsideBand);
  band.band = "08300900";
  band.clock = "08:12";
  RowReport error = Row(RowOutcome::Error);
  error.detail = "'x' は整数ではありません";
  const struct {
    RowReport report;
    std::string line;
  } cases[] = {
      {launched, "  3 Mail: 起動しました"},
      {timed, "  3 Mail: 起動しました 09:00:05"},
      {idle_limit, "  3 Mail: 起動しました 09:00:05 (ｱｲﾄﾞﾙにならず上限の 300秒待機)"},
      {failed, "  3 Mail: 起動できませんでした: 指定されたファイルが見つかりません。"},
      {unknown_type, "  3 Mail: 起動できませんでした: エラー 31"},
      {Row(RowOutcome::TooLong), "  3 Mail: 失敗 ﾌｧｲﾙ名、作業ﾌｫﾙﾀﾞまたは引数が長すぎます"},
      {error, "  3 Mail: ｴﾗｰ 'x' は整数ではありません"},
      {Row(RowOutcome::NoFile), "  3 Mail: ｽｷｯﾌﾟ ﾌｧｲﾙなし"},
      {band, "  3 Mail: ｽｷｯﾌﾟ 時間帯 08:30-09:00 外 (08:12)"},
      {Row(RowOutcome::NotEnabled), "  3 Mail: ｽｷｯﾌﾟ 無効"},
      {Row(RowOutcome::RanToday), "  3 Mail: ｽｷｯﾌﾟ 本日起動済み"},
      {Row(RowOutcome::AlreadyRunning), "  3 Mail: ｽｷｯﾌﾟ 起動中"},
      {Row(RowOutcome::NotStarted), "  3 Mail: 未起動 (終了により中止)"},
  };
  for (const auto& c : cases) EXPECT_EQ(RowLine(c.report), c.line);
}

TEST(LogOnReport, BandReasonShowsWhatAGarbledBandHolds) {
  RowReport row = Row(RowOutcome::OutsideBand);
  row.clock = "23:00";
  row.band = "22000200";
  EXPECT_EQ(RowLine(row), "  3 Mail: ｽｷｯﾌﾟ 時間帯 22:00-02:00 外 (23:00)");
  row.band = "";
  EXPECT_EQ(RowLine(row), "  3 Mail: ｽｷｯﾌﾟ 時間帯 :-: 外 (23:00)");
}

TEST(LogOnReport, LongAndDoubleByteTitlesStayOnOneLineAndWholeCharacters) {
  // 63 single bytes and then a double-byte character: the cut falls before it, not inside.
  const std::string long_title = std::string(63, 'a') + "表示の続き";
  EXPECT_EQ(RowLine(Row(RowOutcome::NotEnabled, long_title)),
            "  3 " + std::string(63, 'a') + "...: ｽｷｯﾌﾟ 無効");
  // Thirty-two double-byte characters fill the 64 bytes exactly; one more is cut.
  std::string kana;
  for (int i = 0; i < 33; ++i) kana += "ソ";
  EXPECT_EQ(RowLine(Row(RowOutcome::NotEnabled, kana)),
            "  3 " + kana.substr(0, 64) + "...: ｽｷｯﾌﾟ 無効");
  EXPECT_EQ(RowLine(Row(RowOutcome::NotEnabled, "表\tソ\r\n")), "  3 表 ソ: ｽｷｯﾌﾟ 無効");
}

TEST(LogOnReport, RunLineNamesTimeRowsAndMode) {
  RunHeading heading{{2026, 12, 7, 8, 5, 9}, 3, 0, false};
  EXPECT_EQ(RunLine(heading), "2026/12/07 08:05:09 ﾛｸﾞｵﾝ起動 3行 一斉起動");
  heading.wait_seconds = 2;
  heading.skip_running = true;
  EXPECT_EQ(RunLine(heading),
            "2026/12/07 08:05:09 ﾛｸﾞｵﾝ起動 3行 間隔 2秒 起動中のｱﾌﾟﾘは起動しない");
}

TEST(LogOnReport, AppendsLinesWithCrLfAndCapsTheLogOnWholeLines) {
  FakeLogFiles files;
  const std::string path = "C:\\M\\Morvelin.log";
  AppendToLog(files, path, {"a", "表示"});
  AppendToLog(files, path, {"b"});
  EXPECT_EQ(files.files[path], "a\r\n表示\r\nb\r\n");

  // Just over the cap in lines of varying length, each numbered so the order can be checked.
  std::string big;
  for (int i = 0; big.size() <= static_cast<size_t>(kLogCapBytes); ++i)
    big += "line " + std::to_string(i) + std::string(static_cast<size_t>(i % 97), 'x') + "\r\n";
  files.files[path] = big;
  AppendToLog(files, path, {"new"});
  const std::string kept = files.files[path];
  ASSERT_LT(kept.size(), big.size() / 2 + 8);
  ASSERT_GT(kept.size(), big.size() / 2 - 200);  // no more than one line beyond the half dropped
  EXPECT_EQ(kept.rfind("new\r\n"), kept.size() - 5);
  const std::string before_new = kept.substr(0, kept.size() - 5);
  EXPECT_TRUE(big.substr(big.size() - before_new.size()) == before_new);  // the newer part, intact
  EXPECT_EQ(kept.rfind("line ", 0), 0u);                                  // from a line's start
  // Under the cap nothing is dropped.
  AppendToLog(files, path, {"next"});
  EXPECT_TRUE(files.files[path] == kept + "next\r\n");
}

TEST(LogOnReport, NewerHalfOfOddLogs) {
  EXPECT_EQ(NewerHalf(""), "");
  EXPECT_EQ(NewerHalf("one long line without end"), "");
  EXPECT_EQ(NewerHalf("a\r\nb\r\nc\r\nd\r\n"), "c\r\nd\r\n");
  // An odd size: never more than the smaller half is kept.
  EXPECT_EQ(NewerHalf("Fil\n\xff"
                      "404\xac"),
            "");
  EXPECT_EQ(NewerHalf("ab\ncd\nefghi"), "efghi");
}

TEST(LogOnReport, ALogThatCannotBeWrittenIsGivenUpQuietly) {
  FakeLogFiles files;
  files.unwritable = "C:\\M\\Morvelin.log";
  AppendToLog(files, files.unwritable, {"a"});
  EXPECT_TRUE(files.files.empty());
}

TEST(RunningCheck, OnlyProgramsWithTheSameFullPathCountAsRunning) {
  const std::vector<std::string> running = {"C:\\Tools\\Mail.EXE", "C:\\ア\\x.exe",
                                            "C:\\Docs\\note.txt"};
  const struct {
    std::string file;
    bool running;
  } cases[] = {
      {"c:\\tools\\mail.exe", true},    // case does not matter
      {"C:\\Tools\\Mail.exe", true},    //
      {"C:\\Tools\\Mail2.exe", false},  // another program
      {"Mail.exe", false},              // not a full path
      {"C:\\ア\\X.EXE", true},          // double-byte folder, same bytes
      {"C:\\ャ\\x.exe", false},         // trail byte 'a' is not the letter 'A'
      {"C:\\ヂ\\x.exe", false},         // trail byte 0x61 is no letter to fold onto ア's 0x41
      {"C:\\Docs\\note.txt", false},    // documents always launch
      {"C:\\Tools\\Mail.lnk", false},   // shortcuts too
      {"http://example.jp/", false},    // and addresses
      {"C:\\Tools\\Mail.exe ", false},  // not the same path
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsRunningProgram(c.file, running), c.running) << c.file;
}

}  // namespace
