#include "shell/adoption.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/fake_startup.h"

namespace {

const std::string kCu = "CU\\", kUser = kCu + kRunKeyPath, kKeptValues = kCu + kAdoptedValuesPath,
                  kKeptFiles = kCu + kAdoptedFilesPath;
const RawValue kTool{"Tool", kRegExpandText,
                     std::string("\"%SystemDrive%\\Tools\\tool.exe\" -q\0", 34)};
const std::string kNote = "C:\\SU\\Note.lnk", kKeptNote = "C:\\M\\Adopted\\Note.lnk";

struct Machine {
  FakeRawRegistry registry;
  FakeFileStore files;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  ItemStore store;
  Adoption adoption{{registry, files, files},
                    dialogs,
                    {store, [this] { return !registry.failing.count("save"); }, [] {}},
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
  }
  std::vector<StartupEntry> List() {
    const StartupLocations places{"C:\\SU", "C:\\AU", "C:\\M\\Adopted\\", "m.exe"};
    return ListStartupEntries({registry, files, files}, places, store.Rows());
  }
  StartupEntry Named(const std::string& name) {
    for (const StartupEntry& entry : List())
      if (entry.name == name) return entry;
    return {};
  }
  bool Holds(const std::string& key, const RawValue& value) {
    return std::count(registry.keys[key].begin(), registry.keys[key].end(), value) == 1;
  }
};

TEST(Adoption, ListsEveryPlaceWithItsMarksAndWhatItStarts) {
  const std::vector<std::vector<std::string>> expected = {
      {"Tool", "HKCU Run", "C:\\Tools\\tool.exe", "-q", "", "adopt"},
      {"Dup", "HKCU Run", "C:\\Apps\\dup.exe", "/x", "重複", "adopt"},
      {"Self", "HKCU Run", "m.exe", "/N", "Morvelin", ""},
      {"Once", "HKCU RunOnce", "a.exe", "", "", ""},
      {"Machine", "HKLM Run", "C:\\m.exe", "", "読み取り専用", ""},
      {"Setup", "HKLM RunOnce", "s.exe", "", "", ""},
      {"Morvelin.lnk", "ｽﾀｰﾄｱｯﾌﾟ", "M.EXE", "/N", "Morvelin", ""},
      {"Note.lnk", "ｽﾀｰﾄｱｯﾌﾟ", "C:\\Apps\\note.exe", "-n", "", "adopt"},
      {"All.bat", "ｽﾀｰﾄｱｯﾌﾟ(全ﾕｰｻﾞｰ)", "C:\\AU\\All.bat", "", "読み取り専用", ""},
  };
  std::vector<std::vector<std::string>> listed;
  for (const StartupEntry& e : Machine().List())
    listed.push_back(
        {e.name, PlaceText(e), e.file, e.arguments, MarkText(e), CanAdopt(e) ? "adopt" : ""});
  EXPECT_EQ(listed, expected);
}

TEST(Adoption, AFailureAtAnyStepOfAdoptingLeavesTheOriginalAndNoRow) {
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
    EXPECT_FALSE(m.adoption.Adopt(m.Named("Tool")));
    EXPECT_FALSE(m.adoption.Adopt(m.Named("Note.lnk")));
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
  EXPECT_FALSE(m.adoption.Adopt(m.Named("Tool")));
  EXPECT_NE(m.boxes.shown.back().text.find("元に戻す"), std::string::npos);
  m.registry.keys[kUser].push_back({"Tool", kRegText, "new"});  // a second of that name
  EXPECT_FALSE(m.adoption.Adopt(m.Named("Tool")));
  EXPECT_EQ(m.registry.keys[kKeptValues], std::vector<RawValue>{kTool});
  EXPECT_EQ(m.boxes.shown.size(), 2u);
}

TEST(Adoption, AGiveBackThatFailsKeepsTheEntryAndOneThatWorksRestoresItExactly) {
  Machine a;
  ASSERT_TRUE(a.adoption.Adopt(a.Named("Tool")));
  ASSERT_TRUE(a.adoption.Adopt(a.Named("Note.lnk")));
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
    const StartupEntry tool = m.Named("Tool"), note = m.Named("Note.lnk");  // the kept ones
    if (failures[i].count("taken"))
      m.registry.keys[kUser].push_back({"tool", kRegText, "x"}), m.files.files[kNote] = "x";
    const auto before = m.registry.keys;
    const auto files_before = m.files.files;
    EXPECT_FALSE(m.adoption.GiveBack(tool));
    EXPECT_FALSE(m.adoption.GiveBack(note));
    EXPECT_EQ(m.registry.keys, before);
    EXPECT_EQ(m.files.files, files_before);
    EXPECT_EQ(m.boxes.shown.size(), 2u);
  }
  a.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
  ASSERT_TRUE(a.adoption.GiveBack(a.Named("Tool")));
  ASSERT_TRUE(a.adoption.GiveBack(a.Named("Note.lnk")));
  EXPECT_TRUE(a.Holds(kUser, kTool));
  EXPECT_EQ(a.files.files, Machine().files.files);
  EXPECT_TRUE(a.registry.keys[kKeptValues].empty() && a.registry.keys[kKeptFiles].empty());
  ASSERT_EQ(a.store.Size(), 2);  // the first question was answered No, the second Yes
  EXPECT_EQ(a.store.Row(1).title, "Tool");
}

TEST(Adoption, APlainFileStartsFromItsKeptCopyAndIsGivenBackOnlyToAFreeName) {
  Machine m;
  m.files.files["C:\\SU\\Run.bat"] = "@run";
  m.files.files["C:\\M\\Adopted\\Run.bat"] = "an earlier one, not recorded";
  ASSERT_TRUE(m.adoption.Adopt(m.Named("Run.bat")));
  EXPECT_EQ(m.store.Row(1).file, "C:\\M\\Adopted\\Run (2).bat");
  const StartupEntry kept = m.Named("Run (2).bat");
  const auto adopted = ListAdoptedEntries({m.registry, m.files, m.files}, "C:\\M\\Adopted\\");
  EXPECT_EQ(std::vector<bool>(
                {IsAdoptedRow(adopted, m.store.Row(0)), IsAdoptedRow(adopted, m.store.Row(1))}),
            std::vector<bool>({false, true}));
  EXPECT_EQ(PlaceText(kept) + MarkText(kept), "取り込み済み(ｽﾀｰﾄｱｯﾌﾟ)");
  m.files.files["C:\\SU\\Run.bat"] = "@other";  // another file has come by that name
  EXPECT_FALSE(m.adoption.GiveBack(kept));
  EXPECT_EQ(m.files.files["C:\\SU\\Run.bat"], "@other");
  m.files.files.erase("C:\\SU\\Run.bat");
  m.registry.failing = {"save"};  // the row's removal cannot be stored: it stays
  m.boxes.answers = {BoxAnswer::Yes};
  ASSERT_TRUE(m.adoption.GiveBack(kept));
  EXPECT_EQ(m.files.files["C:\\SU\\Run.bat"], "@run");
  EXPECT_EQ(m.boxes.answers.size(), 0u);
  EXPECT_EQ(m.store.Size(), 2);
}

TEST(Adoption, AnUnquotedCommandEndsAtTheProgramNotAtADotExeInsideAFolderName) {
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
