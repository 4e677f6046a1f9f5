#include "logon/logon_history.h"

#include <gtest/gtest.h>

#include "fakes/fake_logon.h"

namespace {

// The atomic replacement, writing into the same byte store the reads come from.
class ReplacingFiles : public ProfileFiles {
 public:
  explicit ReplacingFiles(FakeLogFiles& files) : files_(files) {}
  std::unique_ptr<ProfileFile> Open(const std::string& path) override {
    struct File : ProfileFile {
      FakeLogFiles& files;
      std::string path;
      File(FakeLogFiles& f, std::string p) : files(f), path(std::move(p)) {}
      const std::string& Path() const override { return path; }
      std::string ReadKey(std::string_view, std::string_view) override { return {}; }
      void WriteKey(std::string_view, std::string_view, std::string_view) override {}
      std::string ReadAll() override { return files.ReadAll(path); }
      void RemoveLeftovers() override {}
      void ReplaceAll(std::string_view bytes) override { files.Replace(path, std::string(bytes)); }
    };
    return std::make_unique<File>(files_, path);
  }

 private:
  FakeLogFiles& files_;
};

const std::string kPath = "C:\\Morvelin\\Morvelin.hst";

TEST(LogOnHistory, KeepsTheLastThirtyLogOnsAndWhatEachRowDid) {
  FakeLogFiles files;
  ReplacingFiles profiles(files);
  LogOnTimeline first{"2026/12/01 08:00:00", 9500, {}};
  first.rows.resize(2);
  first.rows[0] = {"ﾒｰﾙ\tA\r\nB", 0, 20, 1500, 230, "C:\\ﾈｯﾄ"};
  first.rows[1] = {"表示=ソ[x];", 5000, kNever, kNever, kNever, "\x81\t"};
  AppendToHistory(files, profiles, kPath, first);
  EXPECT_EQ(files.files[kPath],
            "L\t2026/12/01 08:00:00\t9500\r\nR\t0\t20\t1500\t230\tC:\\ﾈｯﾄ\tﾒｰﾙ A  B\r\n"
            "R\t5000\t-\t-\t-\t\x81 \t表示=ソ[x];\r\n");
  for (int i = 1; i <= 30; ++i)
    AppendToHistory(files, profiles, kPath, {"2026/12/02 08:00:00", i, {}});
  const auto history = ReadHistory(files, kPath);
  ASSERT_EQ(history.size(), kHistoryLogOns);
  EXPECT_EQ(history.front().total_ms, 1);
  EXPECT_EQ(history.back().total_ms, 30);
  EXPECT_EQ(ParseHistory(FormatHistory(history) + "L\tx\t31\r\n").front().total_ms, 2);
  // A history that cannot be written costs a line of the log, and the run goes on.
  files.unwritable = kPath;
  KeepInHistory(files, profiles, "C:\\Morvelin\\", first);
  EXPECT_EQ(ReadHistory(files, kPath).size(), kHistoryLogOns);
  EXPECT_NE(files.files["C:\\Morvelin\\Morvelin.log"].find("ﾛｸﾞｵﾝ履歴を保存できませんでした: "),
            std::string::npos);
  // Cut on a whole character: a pair that does not fit goes whole, a lead byte without its
  // trail byte (0x7F is none) is a character of its own; a tab in a hand-edited title is a blank.
  const std::string fill(kMaxHistoryTextBytes - 1, 'a');
  for (const auto& [title, kept] :
       {std::pair{fill + "\x81\xFC", fill}, {fill + "\x81\x7F", fill + "\x81"}}) {
    const auto read = ParseHistory(FormatHistory({{"x", 1, {{title, 0, 1, 1, 1, ""}}}}));
    EXPECT_EQ(read.at(0).rows.at(0).title, kept);
  }
  EXPECT_EQ(ParseHistory("L\tx\t1\nR\t0\t-\t-\t-\t\tx\ty\n").at(0).rows.at(0).title, "x y");
  first.rows[0].title = "ﾒｰﾙ A  B";
  first.rows[1].waited_for = "\x81 ";
  EXPECT_EQ(ParseHistory(FormatHistory({first})), std::vector<LogOnTimeline>{first});
}

TEST(LogOnHistory, DamageCostsOnlyWhatIsDamaged) {
  const std::string good = "L\t2026/12/01 08:00:00\t100\r\nR\t0\t1\t2\t3\t\tA\r\n";
  const std::string many_rows = [] {
    std::string text = "L\tx\t1\n";
    for (int i = 0; i < 1005; ++i) text += "R\t0\t-\t-\t-\t\tT\n";
    return text;
  }();
  const struct {
    std::string bytes;
    std::size_t log_ons;
    std::size_t rows_of_last;
  } cases[] = {
      {good + "R\t0\t1\t2\t3\n" + "R\tx\t1\t2\t3\t\tB\n" + "R\t-\t1\t2\t3\t\tB\n", 1, 1},
      {good + "L\t\t1x\r\nR\t0\t1\t2\t3\t\tOrphan\r\n", 1, 1},
      {"R\t0\t1\t2\t3\t\tOrphan\n" + good, 1, 1},
      {good + "R\t0\t1\t2\t3\t\t" + std::string(kMaxHistoryLineBytes, 'A') + "\n", 1, 1},
      {good + good.substr(0, good.size() - 9), 2, 0},
      {good + "R\t0\t1\t2\t1234567890\t\tA\r\n", 1, 1},
      {many_rows, 1, kMaxHistoryRows},
      {std::string("\0\xFF\n\n", 4) + good, 1, 1},
  };
  for (const auto& c : cases) {
    const auto history = ParseHistory(c.bytes);
    ASSERT_EQ(history.size(), c.log_ons) << c.bytes;
    EXPECT_EQ(history.back().rows.size(), c.rows_of_last) << c.bytes;
  }
  FakeLogFiles files;
  files.files[kPath] = good + std::string(kMaxHistoryFileBytes, '\n');
  EXPECT_TRUE(ReadHistory(files, kPath).empty());
  files.folders.insert(kPath);
  EXPECT_TRUE(ReadHistory(files, kPath).empty());
}

}  // namespace
