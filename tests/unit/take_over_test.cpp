#include "takeover/take_over.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_entry_sources.h"
#include "fakes/fake_platform.h"
#include "platform/text_format.h"
#include "takeover/checked_steps.h"
#include "takeover/kept_records.h"
#include "takeover/repair.h"
#include "takeover/takeover_texts.h"

namespace {

const std::string kCu = "CU\\", kUser = kCu + kRunKeyPath, kKeptValues = kCu + kKeptValuesPath,
                  kKeptFiles = kCu + kKeptFilesPath;
const RawValue kTool{"Tool", kRegExpandText,
                     std::string("\"%SystemDrive%\\Tools\\tool.exe\" -q\0", 34)};
const std::string kNote = "C:\\SU\\Note.lnk", kKeptNote = "C:\\M\\Adopted\\Note.lnk";
const EntryLocations kPlaces{"C:\\SU", "C:\\AU", "C:\\M\\Adopted\\", "m.exe"};

struct Machine {
  FakeRawRegistry registry;
  FakeFileStore files;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  ItemStore store;
  KillSwitch kill;
  std::vector<LaunchItem> saved;  // the rows on disk
  Takeover takeover{{registry, files, files},
                    dialogs,
                    {store, [this] { return Save(); }, [] {}},
                    "C:\\M\\Adopted\\"};

  Machine() {
    registry.keys[kUser] = {
        kTool, {"Dup", kRegText, "C:\\Apps\\dup.exe /x"}, {"Self", kRegText, "m.exe /N"}};
    registry.keys["CU\\" + std::string(kRunOnceKeyPath)] = {{"Once", kRegText, "a.exe"}};
    registry.keys["LM\\" + std::string(kRunKeyPath)] = {{"Machine", kRegText, "C:\\m.exe"}};
    registry.keys["LM\\" + std::string(kRunOnceKeyPath)] = {{"Setup", kRegText, "s.exe"}};
    registry.failing = {"readonly LM\\" + std::string(kRunKeyPath)};
    files.files = {
        {kNote, "LNK-note"}, {"C:\\SU\\Morvelin.lnk", "LNK-own"}, {"C:\\AU\\All.bat", "@"}};
    files.links = {{"LNK-note", {"C:\\Apps\\note.exe", "-n", "C:\\Apps\\", 7}},
                   {"LNK-own", {"M.EXE", "/N", "C:\\M\\", 1}}};
    store.Append(LaunchItem{"dup", "C:\\APPS\\DUP.EXE", "", "", "0", "", "", "", true});
    saved = store.Rows();
    registry.kill = files.kill = &kill;
  }
  bool Save() {
    if (registry.failing.count("save")) return false;
    kill.Change();
    saved = store.Rows();
    return true;
  }
  std::vector<std::string> Repair() {
    return RepairTakeOver({registry, files, files}, kPlaces, saved);
  }
  std::vector<TakeoverEntry> List() {
    return ListTakeoverEntries({registry, files, files}, kPlaces, store.Rows());
  }
  TakeoverEntry Named(const std::string& name) {
    for (const TakeoverEntry& entry : List())
      if (entry.name == name) return entry;
    return {};
  }
  bool Holds(const std::string& key, const RawValue& value) {
    return std::count(registry.keys[key].begin(), registry.keys[key].end(), value) == 1;
  }
};

TEST(Takeover, ListsEveryPlaceWithItsMarksAndWhatItStarts) {
  const std::vector<std::vector<std::string>> expected = {
      {"Tool", "このユーザー (Run)", "C:\\Tools\\tool.exe", "-q", "", "adopt"},
      {"Dup", "このユーザー (Run)", "C:\\Apps\\dup.exe", "/x", "重複", "adopt"},
      {"Self", "このユーザー (Run)", "m.exe", "/N", "Morvelin", ""},
      {"Once", "このユーザー (RunOnce)", "a.exe", "", "", ""},
      {"Machine", "全ユーザー (Run)", "C:\\m.exe", "", "読み取り専用", ""},
      {"Setup", "全ユーザー (RunOnce)", "s.exe", "", "", ""},
      {"Morvelin.lnk", "スタートアップ フォルダ", "M.EXE", "/N", "Morvelin", ""},
      {"Note.lnk", "スタートアップ フォルダ", "C:\\Apps\\note.exe", "-n", "", "adopt"},
      {"All.bat", "全ユーザーのスタートアップ フォルダ", "C:\\AU\\All.bat", "", "読み取り専用", ""},
  };
  std::vector<std::vector<std::string>> listed;
  for (const TakeoverEntry& e : Machine().List())
    listed.push_back(
        {e.name, PlaceText(e), e.file, e.arguments, MarkText(e), CanTakeOver(e) ? "adopt" : ""});
  EXPECT_EQ(listed, expected);
}

TEST(Takeover, AFailureAtAnyStepOfTakingOverLeavesTheOriginalAndNoRow) {
  const std::set<std::string> failures[] = {
      {"put " + kKeptValues + "\\Tool", "put " + kKeptFiles + "\\Note.lnk"},
      {"lie " + kKeptValues + "\\Tool", "lie " + kKeptFiles + "\\Note.lnk"},
      {"create " + kKeptNote, "delete " + kUser + "\\Tool"},
      {"lie " + kKeptNote, "delete " + kUser + "\\Tool"},
      {"delete " + kNote, "delete " + kUser + "\\Tool"},
      {"delete " + kNote, "keep " + kUser + "\\Tool"},
      {"folder C:\\M\\Adopted\\", "put " + kKeptValues + "\\Tool"},
      {"save"},
  };
  for (size_t i = 0; i < std::size(failures); ++i) {
    SCOPED_TRACE(i);
    Machine m;
    m.registry.failing = m.files.failing = failures[i];
    EXPECT_FALSE(m.takeover.TakeOver(m.Named("Tool")));
    EXPECT_FALSE(m.takeover.TakeOver(m.Named("Note.lnk")));
    EXPECT_TRUE(m.Holds(kUser, kTool));
    EXPECT_EQ(m.files.files, Machine().files.files);
    EXPECT_TRUE(m.registry.keys[kKeptValues].empty() && m.registry.keys[kKeptFiles].empty());
    EXPECT_EQ(m.store.Size(), 1);
    ASSERT_EQ(m.boxes.shown.size(), 2u);
    EXPECT_NE(m.boxes.shown[0].text.find("元の登録はそのままです"), std::string::npos);
  }
  // Neither stored nor put back: the entry stays kept, to be given back, never lost.
  Machine m;
  m.registry.failing = {"save", "put " + kUser + "\\Tool"};
  EXPECT_FALSE(m.takeover.TakeOver(m.Named("Tool")));
  EXPECT_NE(m.boxes.shown.back().text.find("元に戻す"), std::string::npos);
  m.registry.keys[kUser].push_back({"Tool", kRegText, "new"});  // a second of that name
  EXPECT_FALSE(m.takeover.TakeOver(m.Named("Tool")));
  EXPECT_EQ(m.registry.keys[kKeptValues], std::vector<RawValue>{kTool});
  EXPECT_EQ(m.boxes.shown.size(), 2u);
}

TEST(Takeover, AGiveBackThatFailsKeepsTheEntryAndOneThatWorksRestoresItExactly) {
  Machine a;
  ASSERT_TRUE(a.takeover.TakeOver(a.Named("Tool")));
  ASSERT_TRUE(a.takeover.TakeOver(a.Named("Note.lnk")));
  EXPECT_EQ(a.store.Row(1), (LaunchItem{"Tool", "C:\\Tools\\tool.exe", "", "-q", "0", "00002359",
                                        "000/00", "", true}));
  EXPECT_EQ(a.store.Row(2), (LaunchItem{"Note", "C:\\Apps\\note.exe", "C:\\Apps\\", "-n", "1",
                                        "00002359", "000/00", "", true}));
  const std::set<std::string> failures[] = {
      {"put " + kUser + "\\Tool", "create " + kNote},
      {"delete " + kKeptValues + "\\Tool", "delete " + kKeptFiles + "\\Note.lnk"},
      {"taken"},
  };
  for (size_t i = 0; i < std::size(failures); ++i) {
    SCOPED_TRACE(i);
    Machine m;
    m.registry = a.registry, m.files.files = a.files.files, m.files.links = a.files.links;
    m.registry.failing = m.files.failing = failures[i];
    const TakeoverEntry tool = m.Named("Tool"), note = m.Named("Note.lnk");  // the kept ones
    if (failures[i].count("taken"))
      m.registry.keys[kUser].push_back({"tool", kRegText, "x"}), m.files.files[kNote] = "x";
    const auto before = m.registry.keys;
    const auto files_before = m.files.files;
    EXPECT_FALSE(m.takeover.GiveBack(tool));
    EXPECT_FALSE(m.takeover.GiveBack(note));
    EXPECT_EQ(m.registry.keys, before);
    EXPECT_EQ(m.files.files, files_before);
    EXPECT_EQ(m.boxes.shown.size(), 2u);
  }
  a.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
  ASSERT_TRUE(a.takeover.GiveBack(a.Named("Tool")));
  ASSERT_TRUE(a.takeover.GiveBack(a.Named("Note.lnk")));
  EXPECT_TRUE(a.Holds(kUser, kTool));
  EXPECT_EQ(a.files.files, Machine().files.files);
  EXPECT_TRUE(a.registry.keys[kKeptValues].empty() && a.registry.keys[kKeptFiles].empty());
  ASSERT_EQ(a.store.Size(), 2);  // the first question was answered No, the second Yes
  EXPECT_EQ(a.store.Row(1).title, "Tool");
}

TEST(Takeover, AKillAtAnyMomentOfTakingOverOrGivingBackIsRepairedAtTheNextStart) {
  for (const bool giving_back : {false, true}) {
    for (int changes = 0, killed = 1; killed; ++changes) {
      SCOPED_TRACE(std::to_string(giving_back) + " killed after change " + std::to_string(changes));
      Machine m;
      m.files.facts[kNote] = 34;
      ASSERT_TRUE(!giving_back || (m.takeover.TakeOver(m.Named("Tool")) &&
                                   m.takeover.TakeOver(m.Named("Note.lnk"))));
      m.kill.changes_left = changes;
      try {
        for (const char* name : {"Tool", "Note.lnk"})
          giving_back ? m.takeover.GiveBack(m.Named(name)) : m.takeover.TakeOver(m.Named(name));
        killed = 0;
      } catch (const Killed&) {
      }
      m.kill.changes_left = -1;
      m.Repair();
      EXPECT_TRUE(m.Repair().empty()) << "a second start finds more to repair";
      // Started once at the next log-on: by the system from its place, or by its row.
      long tool = m.Holds(kUser, kTool), note = m.files.Read(kNote) == "LNK-note";
      for (const LaunchItem& row : m.saved) {
        tool += row.file == "C:\\Tools\\tool.exe";
        note += row.file == "C:\\Apps\\note.exe";
      }
      EXPECT_EQ(tool * 10 + note, 11);
      for (const auto& [path, bytes] : m.files.files)  // whole, with its attributes, recorded
        EXPECT_TRUE(bytes + std::to_string(m.files.facts[path]) == "LNK-note34" ||
                    (path != kNote && path != kKeptNote))
            << path;
      EXPECT_EQ(m.files.files.count(kKeptNote), m.registry.keys[kKeptFiles].size());
    }
  }
}

TEST(Takeover, TheRepairsNameWhatTheyDidAndLeaveATakenPlaceAlone) {
  Machine m;
  m.registry.keys[kKeptValues] = {kTool, {"Gone", kRegText, std::string("C:\\g.exe\0", 9)}};
  m.registry.keys[kUser] = {{"Tool", kRegText, "other"}};
  m.registry.keys[kKeptFiles] = {PathRecord("Note.lnk", kNote),
                                 PathRecord("Go.bat", "C:\\SU\\Go.bat")};
  m.files.files = {{kKeptNote, "LNK-note"},
                   {"C:\\M\\Adopted\\Go.bat", "@go"},
                   {"C:\\SU\\Go.bat", "@other"},  // another file has its place
                   {"C:\\SU\\Morvelin.lnk", "LNK-own"},
                   {"C:\\M\\Adopted\\Stray.lnk", "LNK-own"},  // its original is in place
                   {"C:\\M\\Adopted\\Lone.lnk", "lone"}};     // no original anywhere
  EXPECT_EQ(m.Repair(),
            (std::vector<std::string>{
                "「Tool」は元の場所に同じ名前の別の項目があるため戻せません。"
                "ｽﾀｰﾄｱｯﾌﾟ項目のﾍﾟｰｼﾞで確かめてください",
                "「Gone」はﾘｽﾄに行がないため、元の場所に戻しました",
                "「Note.lnk」はﾘｽﾄに行がないため、元の場所に戻しました",
                FormatText(takeover_texts::kRepairPlaceTaken, "Go.bat"),
                "記録のない保管ﾌｧｲﾙ「Stray.lnk」は元の場所に同じものがあるため消しました"}));
  EXPECT_EQ(m.files.files.size(), 5u);
  EXPECT_EQ(m.files.files[kNote] + m.files.files["C:\\M\\Adopted\\Lone.lnk"], "LNK-notelone");
  EXPECT_EQ(m.files.files["C:\\SU\\Go.bat"] + m.files.files["C:\\M\\Adopted\\Go.bat"], "@other@go");
  const std::vector<TakeoverEntry> listed = m.List();  // the kept ones last
  EXPECT_EQ(MarkText(listed.end()[-2]) + listed.end()[-2].name, "元の場所に同じ名前ありTool");
  EXPECT_EQ(MarkText(listed.back()) + listed.back().name, "元の場所に同じ名前ありGo.bat");
}

// Found both in its place and kept, an entry is settled by its row, the first row too and one
// whose file is quoted; a give-back whose record cannot be dropped leaves the entry kept only,
// never in two places.
TEST(Takeover, RepairsSettleByAnyRowAndNeverLeaveAnEntryInTwoPlaces) {
  const LaunchItem tool{"Tool", "\"C:\\Tools\\tool.exe\"", "", "-q", "0", "", "", "", true},
      note{"Note", "C:\\Apps\\note.exe", "", "-n", "0", "", "", "", true};
  for (const auto& rows : {std::vector{tool, note}, std::vector{note, tool}}) {
    Machine m;
    m.registry.keys[kKeptValues] = {kTool};
    m.registry.keys[kKeptFiles] = {PathRecord("Note.lnk", kNote)};
    m.files.files[kKeptNote] = "LNK-note";
    m.saved = rows;
    EXPECT_EQ(m.Repair().size(), 2u);
    EXPECT_TRUE(!m.Holds(kUser, kTool) && m.Holds(kKeptValues, kTool));
    EXPECT_TRUE(!m.files.files.count(kNote) && m.files.files.count(kKeptNote));
  }
  Machine m;
  m.registry.keys[kKeptValues] = {kTool};
  m.registry.keys[kUser].erase(m.registry.keys[kUser].begin());   // Tool kept only, without a row
  m.registry.keys[kKeptFiles] = {PathRecord("Note.lnk", kNote)};  // Note.lnk kept only too
  m.files.files[kKeptNote] = m.files.files[kNote];
  m.files.files.erase(kNote);
  m.registry.failing = {"delete " + kKeptValues + "\\Tool", "delete " + kKeptFiles + "\\Note.lnk"};
  EXPECT_EQ(m.Repair(),
            (std::vector<std::string>{FormatText(takeover_texts::kRepairFailed, "Tool"),
                                      FormatText(takeover_texts::kRepairFailed, "Note.lnk")}));
  EXPECT_TRUE(!m.Holds(kUser, kTool) && m.Holds(kKeptValues, kTool));
  EXPECT_TRUE(!m.files.files.count(kNote) && m.files.files.count(kKeptNote));
  // A kept copy gone while its original is in place leaves only a record to forget.
  m.registry.failing.erase("delete " + kKeptFiles + "\\Note.lnk");
  m.files.files = Machine().files.files;
  m.Repair();
  EXPECT_TRUE(m.registry.keys[kKeptFiles].empty() && m.files.files.count(kNote));
  // Names up to the system's 255 bytes are plain; one more is not.
  EXPECT_TRUE(IsPlainFileName(std::string(255, 'a')) && !IsPlainFileName(std::string(256, 'a')));
}

// A value written back wrongly is taken out again; a row named by the caller goes even when it no
// longer matches its entry, the first row too; without a row the user is told it is back.
TEST(Takeover, GiveBackUndoesAWrongWriteRemovesTheNamedRowAndSaysWhenItIsDone) {
  for (const bool wrong_write : {true, false}) {
    Machine m;
    m.registry.keys[kKeptValues] = {kTool};
    m.registry.keys[kUser].erase(m.registry.keys[kUser].begin());
    m.store.Replace(0, LaunchItem{"Tool", "C:\\Edited.exe", "", "", "0", "", "", "", true});
    if (wrong_write) m.registry.failing = {"lie " + kUser + "\\Tool"};
    EXPECT_EQ(m.takeover.GiveBack(m.Named("Tool"), RowAfterGiveBack::Remove, 0), !wrong_write);
    EXPECT_EQ(m.registry.keys[kUser].size(), wrong_write ? 2u : 3u);
    EXPECT_EQ(m.store.Size(), wrong_write ? 1 : 0);
    const std::string said = m.boxes.shown.empty() ? "" : m.boxes.shown.back().text;
    EXPECT_EQ(said.find("「Tool」を元の場所に戻しました"), wrong_write ? std::string::npos : 0u);
  }
}

TEST(Takeover, TakesOverWhatIsThereNowAndStopsWhenItChangesMeanwhile) {
  Machine m;
  const TakeoverEntry tool = m.Named("Tool"), note = m.Named("Note.lnk"), dup = m.Named("Dup");
  const RawValue now{"Tool", kRegText, std::string("C:\\New\\new.exe -z\0", 19)};
  m.registry.keys[kUser] = {now};  // and Dup gone
  m.files.files[kNote] = "LNK-other";
  m.files.links["LNK-other"] = {"C:\\Apps\\other.exe", "", "", 1};
  EXPECT_FALSE(m.takeover.TakeOver(dup));
  EXPECT_NE(m.boxes.shown.back().text.find("見つかりません"), std::string::npos);
  ASSERT_TRUE(m.takeover.TakeOver(tool) && m.takeover.TakeOver(note));
  EXPECT_EQ(m.registry.keys[kKeptValues], std::vector<RawValue>{now});
  EXPECT_EQ(m.files.files[kKeptNote], "LNK-other");
  EXPECT_EQ(m.store.Row(1).file + m.store.Row(2).file, "C:\\New\\new.exeC:\\Apps\\other.exe");
  // Changed between keeping and deleting: the change stays where it is, and nothing is kept.
  Machine c;
  const RawValue changed{"Tool", kRegText, "C:\\x.exe"};
  c.files.after_create = [&] { c.files.files[kNote] = "LNK-changed"; };
  for (const char* name : {"Note.lnk", "Tool"}) {
    EXPECT_FALSE(c.takeover.TakeOver(c.Named(name)));
    EXPECT_NE(c.boxes.shown.back().text.find("取り込む間に元の項目が変更されました"),
              std::string::npos);
    c.registry.after_put = [&] { c.registry.keys[kUser][0] = changed; };
  }
  EXPECT_EQ(c.boxes.shown.size(), 2u);  // one for each
  EXPECT_TRUE(c.Holds(kUser, changed) && c.files.files[kNote] == "LNK-changed");
  EXPECT_TRUE(c.registry.keys[kKeptValues].empty() && c.registry.keys[kKeptFiles].empty());
  EXPECT_EQ(c.files.files.count(kKeptNote) + c.store.Size(), 1u);
}

TEST(Takeover, RefusesRecordsLeadingOutsideTheirFolderAndCommandsThatCannotStart) {
  for (const char* bad :
       {"..\\x.lnk", "a/b", "C:x", "CON", "com1.lnk", "..", "x..y", "a.", "", "x\x83", "\x93:x"})
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  for (const char* good : {"Note.lnk", "ソフト.lnk", "a b (2).bat", "CONSOLE.lnk"})
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  EXPECT_FALSE(IsFileInFolder("C:\\SU\\..\\x.lnk", "C:\\SU"));
  EXPECT_TRUE(IsFileInFolder("c:\\su\\x.lnk", "C:\\SU\\"));
  for (const std::string record : {"..\\..\\Secret.txt", "CON"}) {
    Machine m;
    m.files.files = {{"C:\\M\\Secret.txt", "s"}, {"C:\\M\\Adopted\\..\\..\\Secret.txt", "s"}};
    m.registry.keys[kKeptFiles] = {PathRecord(record, "C:\\SU\\Secret.txt")};
    const TakeoverEntry entry = m.Named(record);
    EXPECT_EQ(MarkText(entry), "記録が正しくありません");
    EXPECT_FALSE(IsKeptRow({entry}, LaunchItem{"-", "", "", "", "0", "", "", "", true}));
    EXPECT_TRUE(!m.takeover.GiveBack(entry) && m.Repair().empty());
    EXPECT_EQ(m.files.files.size(), 2u);
    EXPECT_NE(m.boxes.shown.back().text.find("何も変更していません"), std::string::npos);
  }
  const std::string values[] = {"  ", "\"C:\\Apps\\dup.exe /x", "\"C:\\Here Now.exe", "\"\" -q"};
  for (const std::string& text : values) {
    Machine m;
    m.files.files["C:\\Here Now.exe"] = "MZ";
    m.registry.keys[kUser] = {{"Odd", kRegText, text}};
    EXPECT_EQ(m.takeover.TakeOver(m.Named("Odd")), text == values[2]) << text;
    EXPECT_EQ(m.store.Size(), text == values[2] ? 2 : 1);
  }
}

TEST(Takeover, NamesOutsideTheCodePageAreNotTakenOverAndAVanishedCopyCanBeForgotten) {
  Machine m;
  m.files.files["C:\\SU\\cafe.txt"] = m.files.files["C:\\SU\\cafe.txt "] = "x";
  m.files.inexact = {"C:\\SU\\cafe.txt "};  // how the fake spells an accented namesake
  EXPECT_EQ(MarkText(m.Named("cafe.txt ")), "名前を表せないため取り込めません");
  EXPECT_TRUE(CanTakeOver(m.Named("cafe.txt")) && !CanTakeOver(m.Named("cafe.txt ")));
  ASSERT_TRUE(m.takeover.TakeOver(m.Named("Note.lnk")));
  m.files.files.erase(kKeptNote);
  m.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
  EXPECT_FALSE(m.takeover.GiveBack(m.Named("Note.lnk")));
  EXPECT_EQ(m.registry.keys[kKeptFiles].size(), 1u);
  EXPECT_TRUE(m.takeover.GiveBack(m.Named("Note.lnk")));
  EXPECT_TRUE(m.registry.keys[kKeptFiles].empty() && !m.files.files.count(kNote));
  EXPECT_NE(m.boxes.shown.back().text.find("記録を消しますか"), std::string::npos);
}

TEST(Takeover, APlainFileStartsFromItsKeptCopyAndIsGivenBackOnlyToAFreeName) {
  Machine m;
  m.files.files["C:\\SU\\Run.bat"] = "@run";
  m.files.files["C:\\M\\Adopted\\Run.bat"] = "an earlier one, not recorded";
  ASSERT_TRUE(m.takeover.TakeOver(m.Named("Run.bat")));
  EXPECT_EQ(m.store.Row(1).file, "C:\\M\\Adopted\\Run (2).bat");
  const TakeoverEntry kept = m.Named("Run (2).bat");
  const auto all_kept = ListKeptEntries({m.registry, m.files, m.files}, kPlaces);
  EXPECT_TRUE(!IsKeptRow(all_kept, m.store.Row(0)) && IsKeptRow(all_kept, m.store.Row(1)));
  EXPECT_EQ(PlaceText(kept) + MarkText(kept), "取り込み済み (スタートアップ フォルダ)");
  m.files.files["C:\\SU\\Run.bat"] = "@other";  // another file has come by that name
  EXPECT_FALSE(m.takeover.GiveBack(kept));
  EXPECT_EQ(m.files.files["C:\\SU\\Run.bat"], "@other");
  m.files.files.erase("C:\\SU\\Run.bat");
  m.registry.failing = {"save"};  // the row's removal cannot be stored: it stays
  m.boxes.answers = {BoxAnswer::Yes};
  ASSERT_TRUE(m.takeover.GiveBack(kept));
  EXPECT_EQ(m.files.files["C:\\SU\\Run.bat"], "@run");
  EXPECT_TRUE(m.boxes.answers.empty() && m.store.Size() == 2);
}

TEST(Takeover, AnUnquotedCommandEndsAtTheProgramNotAtADotExeInsideAFolderName) {
  const std::vector<std::vector<std::string>> cases = {
      {"C:\\Old.exeFiles\\My Tool.exe -q", "C:\\Old.exeFiles\\My Tool.exe", "-q"},
      {"C:\\My Tools\\run.EXE", "C:\\My Tools\\run.EXE", ""},
      {" \"C:\\A B\\c.exe\"  /x ", "C:\\A B\\c.exe", "/x"},
      {"C:\\Tools\\run.bat -x -y", "C:\\Tools\\run.bat", "-x -y"},
  };
  for (const auto& c : cases) {
    std::string file, arguments;
    SplitCommand(c[0], file, arguments);
    EXPECT_EQ((std::vector<std::string>{c[0], file, arguments}), c);
  }
}

}  // namespace
