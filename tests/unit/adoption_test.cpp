#include "shell/adoption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/logon_report.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_startup.h"

namespace {

const std::string kUser = "CU\\" + std::string(kRunKeyPath);
const std::string kKeptValues = "CU\\" + std::string(kAdoptedValuesPath);
const std::string kKeptFiles = "CU\\" + std::string(kAdoptedFilesPath);
const RawValue kTool{"Tool", kRegExpandText, std::string("\"C:\\Tools\\tool.exe\" -q\0", 23)};
const std::string kNoteLink = "C:\\SU\\Note.lnk";
const std::string kKeptNote = "C:\\M\\Adopted\\Note.lnk";

struct Machine {
  FakeRawRegistry registry;
  FakeFileStore files;
  FakeShortcuts links{files};
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  ItemStore store;
  bool save_ok = true;
  int saves = 0;
  Adoption adoption{{registry, files, links},
                    dialogs,
                    {store, [this] { return ++saves, save_ok; }, [] {}},
                    "C:\\M\\Adopted\\"};
  StartupLocations places{"C:\\SU", "C:\\AU", "C:\\M\\Adopted\\", "C:\\M\\morvelin.exe"};

  Machine() {
    registry.keys[kUser] = {kTool, {"Dup", kRegText, std::string("C:\\Apps\\dup.exe /x\0", 19)}};
    registry.keys["CU\\" + std::string(kRunOnceKeyPath)] = {{"Once", kRegText, "a.exe"}};
    registry.keys["LM\\" + std::string(kRunKeyPath)] = {{"Machine", kRegText, "C:\\m.exe"}};
    registry.read_only.insert("LM\\" + std::string(kRunKeyPath));
    files.files = {
        {kNoteLink, "LNK-note"}, {"C:\\SU\\Morvelin.lnk", "LNK-own"}, {"C:\\AU\\All.bat", "@echo"}};
    links.by_bytes = {{"LNK-note", {"C:\\Apps\\note.exe", "-n", "C:\\Apps\\", 7}},
                      {"LNK-own", {"C:\\M\\MORVELIN.EXE", "/N", "C:\\M\\", 1}}};
    LaunchItem dup;
    dup.title = "dup";
    dup.file = "C:\\APPS\\DUP.EXE";
    store.Append(dup);
  }
  std::vector<StartupEntry> List() {
    return ListStartupEntries({registry, files, links}, places, store.Rows());
  }
  StartupEntry Named(const std::string& name) {
    for (const StartupEntry& entry : List())
      if (entry.name == name) return entry;
    ADD_FAILURE() << name;
    return {};
  }
  const RawValue* Value(const std::string& key, const std::string& name) {
    for (const RawValue& v : registry.keys[key])
      if (v.name == name) return &v;
    return nullptr;
  }
};

TEST(Adoption, ListsEveryPlaceWithItsMarksAndWhatItStarts) {
  Machine m;
  struct Row {
    const char* name;
    const char* place;
    const char* file;
    const char* args;
    const char* mark;
    bool adopt;
  };
  const Row expected[] = {
      {"Tool", "HKCU Run", "C:\\Tools\\tool.exe", "-q", "", true},
      {"Dup", "HKCU Run", "C:\\Apps\\dup.exe", "/x", "重複", true},
      {"Once", "HKCU RunOnce", "a.exe", "", "", false},
      {"Machine", "HKLM Run", "C:\\m.exe", "", "読み取り専用", false},
      {"Morvelin.lnk", "ｽﾀｰﾄｱｯﾌﾟ", "C:\\M\\MORVELIN.EXE", "/N", "Morvelin", false},
      {"Note.lnk", "ｽﾀｰﾄｱｯﾌﾟ", "C:\\Apps\\note.exe", "-n", "", true},
      {"All.bat", "ｽﾀｰﾄｱｯﾌﾟ(全ﾕｰｻﾞｰ)", "C:\\AU\\All.bat", "", "読み取り専用", false},
  };
  const auto entries = m.List();
  ASSERT_EQ(entries.size(), std::size(expected));
  for (size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(entries[i].name, expected[i].name);
    EXPECT_EQ(PlaceText(entries[i]), expected[i].place);
    EXPECT_EQ(entries[i].file, expected[i].file);
    EXPECT_EQ(entries[i].arguments, expected[i].args);
    EXPECT_EQ(MarkText(entries[i]), expected[i].mark);
    EXPECT_EQ(CanAdopt(entries[i]), expected[i].adopt);
  }
}

TEST(Adoption, AdoptedValueAndShortcutBecomeRowsAndComeBackExactly) {
  Machine m;
  ASSERT_TRUE(m.adoption.Adopt(m.Named("Tool")));
  ASSERT_TRUE(m.adoption.Adopt(m.Named("Note.lnk")));
  ASSERT_EQ(m.store.Size(), 3);
  const LaunchItem& tool = m.store.Row(1);
  EXPECT_EQ(tool, (LaunchItem{"Tool", "C:\\Tools\\tool.exe", "", "-q", "0", "00002359", "000/00",
                              "", true}));
  EXPECT_EQ(m.store.Row(2), (LaunchItem{"Note", "C:\\Apps\\note.exe", "C:\\Apps\\", "-n", "1",
                                        "00002359", "000/00", "", true}));
  EXPECT_EQ(m.Value(kUser, "Tool"), nullptr);
  ASSERT_NE(m.Value(kKeptValues, "Tool"), nullptr);
  EXPECT_EQ(*m.Value(kKeptValues, "Tool"), kTool);
  EXPECT_FALSE(m.files.Exists(kNoteLink));
  EXPECT_EQ(m.files.files[kKeptNote], "LNK-note");
  EXPECT_EQ(m.saves, 2);
  EXPECT_EQ(PlaceText(m.Named("Tool")), "取り込み済み(Run)");

  m.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
  ASSERT_TRUE(m.adoption.GiveBack(m.Named("Tool")));
  ASSERT_TRUE(m.adoption.GiveBack(m.Named("Note.lnk")));
  ASSERT_NE(m.Value(kUser, "Tool"), nullptr);
  EXPECT_EQ(*m.Value(kUser, "Tool"), kTool);
  EXPECT_EQ(m.files.files[kNoteLink], "LNK-note");
  EXPECT_FALSE(m.files.Exists(kKeptNote));
  EXPECT_TRUE(m.registry.keys[kKeptValues].empty());
  EXPECT_TRUE(m.registry.keys[kKeptFiles].empty());
  // The first question was answered No, the second Yes.
  ASSERT_EQ(m.store.Size(), 2);
  EXPECT_EQ(m.store.Row(1).title, "Tool");
  EXPECT_EQ(m.saves, 3);
}

TEST(Adoption, AFailureAtAnyStepOfAdoptingLeavesTheOriginalAndNoRow) {
  struct Case {
    const char* step;
    std::function<void(Machine&)> inject;
  };
  const Case cases[] = {
      {"record refused",
       [](Machine& m) {
         m.registry.failing_puts = {kKeptValues + "\\Tool", kKeptFiles + "\\Note.lnk"};
       }},
      {"record garbled",
       [](Machine& m) {
         m.registry.lying_puts = {kKeptValues + "\\Tool", kKeptFiles + "\\Note.lnk"};
       }},
      {"copy refused",
       [](Machine& m) {
         m.files.failing_creates = {kKeptNote};
         m.registry.failing_deletes = {kUser + "\\Tool"};
       }},
      {"copy garbled",
       [](Machine& m) {
         m.files.lying_creates = {kKeptNote};
         m.registry.failing_deletes = {kUser + "\\Tool"};
       }},
      {"original stays",
       [](Machine& m) {
         m.files.failing_deletes = {kNoteLink};
         m.registry.failing_deletes = {kUser + "\\Tool"};
       }},
      {"list not stored", [](Machine& m) { m.save_ok = false; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    Machine m;
    c.inject(m);
    EXPECT_FALSE(m.adoption.Adopt(m.Named("Tool")));
    EXPECT_FALSE(m.adoption.Adopt(m.Named("Note.lnk")));
    ASSERT_NE(m.Value(kUser, "Tool"), nullptr);
    EXPECT_EQ(*m.Value(kUser, "Tool"), kTool);
    EXPECT_EQ(m.files.files[kNoteLink], "LNK-note");
    EXPECT_FALSE(m.files.Exists(kKeptNote));
    EXPECT_TRUE(m.registry.keys[kKeptValues].empty());
    EXPECT_TRUE(m.registry.keys[kKeptFiles].empty());
    EXPECT_EQ(m.store.Size(), 1);
    ASSERT_EQ(m.boxes.shown.size(), 2u);
    EXPECT_NE(m.boxes.shown[0].text.find("元の登録はそのままです"), std::string::npos);
  }
}

TEST(Adoption, AFailedGiveBackKeepsTheEntryAdoptedAndAStoreFailureNeverLosesIt) {
  Machine a;
  ASSERT_TRUE(a.adoption.Adopt(a.Named("Tool")));
  ASSERT_TRUE(a.adoption.Adopt(a.Named("Note.lnk")));
  struct Case {
    const char* step;
    std::function<void(Machine&)> inject;
  };
  const Case cases[] = {
      {"place refused",
       [](Machine& m) {
         m.registry.failing_puts = {kUser + "\\Tool"};
         m.files.failing_creates = {kNoteLink};
       }},
      {"record stays",
       [](Machine& m) {
         m.registry.failing_deletes = {kKeptValues + "\\Tool", kKeptFiles + "\\Note.lnk"};
       }},
      {"name taken",
       [](Machine& m) {
         m.registry.keys[kUser].push_back({"tool", kRegText, "other"});
         m.files.files[kNoteLink] = "other";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    Machine m;
    m.registry = a.registry;
    m.files.files = a.files.files;
    m.links.by_bytes = a.links.by_bytes;
    c.inject(m);
    const auto before = m.registry.keys[kUser];
    const auto origin = m.files.Read(kNoteLink);
    EXPECT_FALSE(m.adoption.GiveBack(m.Named("Tool")));
    EXPECT_FALSE(m.adoption.GiveBack(m.Named("Note.lnk")));
    EXPECT_EQ(m.registry.keys[kUser], before);
    EXPECT_EQ(m.files.Read(kNoteLink), origin);
    EXPECT_EQ(*m.Value(kKeptValues, "Tool"), kTool);
    EXPECT_EQ(m.files.files[kKeptNote], "LNK-note");
  }
  // The list cannot be stored and the original cannot be put back: it stays kept, never lost.
  Machine m;
  m.save_ok = false;
  m.registry.failing_puts = {kUser + "\\Dup"};
  EXPECT_FALSE(m.adoption.Adopt(m.Named("Dup")));
  EXPECT_EQ(m.Value(kUser, "Dup"), nullptr);
  ASSERT_NE(m.Value(kKeptValues, "Dup"), nullptr);
  EXPECT_NE(m.boxes.shown.back().text.find("元に戻す"), std::string::npos);
}

}  // namespace

TEST(Adoption, TheReportNamesAnAdoptedRowAsSuch) {
  RowReport report;
  report.row = 2;
  report.title = "Tool";
  report.outcome = RowOutcome::Launched;
  report.adopted = true;
  EXPECT_EQ(RowLine(report), "  2 Tool (取り込み): 起動しました");
  report.adopted = false;
  EXPECT_EQ(RowLine(report), "  2 Tool: 起動しました");
}
