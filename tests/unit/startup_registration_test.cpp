#include "shell/startup_registration.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "shell/shortcut.h"

namespace {

// One log of everything the shell side saw, in order.
struct ShellLog {
  std::vector<std::string> events;
};

class FakeDde : public DdeClient {
 public:
  explicit FakeDde(ShellLog& log) : log_(log) {}
  std::vector<bool> answers;  // per Connect call; missing entries answer false
  bool Connect(const std::string& service, const std::string& topic) override {
    const bool answered = connects_ < answers.size() && answers[connects_];
    ++connects_;
    log_.events.push_back("connect " + service + "/" + topic);
    return answered;
  }
  void Execute(const std::string& command) override { log_.events.push_back("exec " + command); }
  void Disconnect() override { log_.events.push_back("disconnect"); }

 private:
  ShellLog& log_;
  std::size_t connects_ = 0;
};

class FakeStarter : public ProgramStarter {
 public:
  explicit FakeStarter(ShellLog& log) : log_(log) {}
  bool starts = true;
  bool StartMinimisedNoActivate(const std::string& command_line) override {
    log_.events.push_back("winexec " + command_line);
    return starts;
  }

 private:
  ShellLog& log_;
};

class FakeLinks : public ShellLinks {
 public:
  explicit FakeLinks(ShellLog& log) : log_(log) {}
  bool fails = false;
  bool saves = true;
  std::map<std::string, std::vector<std::string>> files;  // file -> fields set

  std::unique_ptr<ShellLink> Create() override {
    log_.events.push_back("create link");
    if (fails) throw AppError("インターフェイスはサポートされていません");
    return std::make_unique<Link>(*this);
  }
  bool LinksTo(const std::string& file, const std::string& target) override {
    return files.contains(file) && files[file].front() == "path=" + target;
  }
  bool Remove(const std::string& file) override {
    log_.events.push_back("remove " + file);
    return saves && files.erase(file);
  }

 private:
  struct Link : ShellLink {
    explicit Link(FakeLinks& owner) : owner(owner) {}
    FakeLinks& owner;
    std::vector<std::string> fields;
    void SetPath(const std::string& t) override { fields.push_back("path=" + t); }
    void SetWorkingDirectory(const std::string& f) override { fields.push_back("dir=" + f); }
    void SetArguments(const std::string& a) override { fields.push_back("args=" + a); }
    bool Save(const std::string& file) override {
      owner.log_.events.push_back("save " + file);
      if (owner.saves) owner.files[file] = fields;
      return owner.saves;
    }
  };
  ShellLog& log_;
};

class FakeFolders : public SpecialFolders {
 public:
  std::map<int, std::string> paths{{csidl::kDesktopDirectory, "C:\\Users\\me\\Desktop"},
                                   {csidl::kStartup, "C:\\Users\\me\\Startup"}};
  std::optional<std::string> Path(int id) override {
    auto it = paths.find(id);
    if (it == paths.end()) return std::nullopt;
    return it->second;
  }
};

struct Registration {
  ShellLog log;
  FakeSystem system;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  FakeDde dde{log};
  FakeStarter starter{log};
  FakeLinks links{log};
  FakeFolders folders;
  FakeShell shell;
  StartupRegistration commands{
      RegistrationServices{system, dialogs, dde, starter, links, folders, shell}};
};

const char kRegisterQuestion[] =
    "｢ｽﾀｰﾄｱｯﾌﾟ｣にMorvelinを登録しますか？\r\n"
    "登録後、重複するｱﾌﾟﾘｹｰｼｮﾝは｢ｽﾀｰﾄｱｯﾌﾟ｣から削除して下さい。";

TEST(StartupGroupCommandsTest, AreTheThreeCommandsByteForByte) {
  struct Case {
    std::string path;
    std::string add_item;
  };
  // "表" is 95 5C: its trail byte is a backslash and must pass through untouched.
  const Case cases[] = {
      {"C:\\Program Files\\Morvelin\\Morvelin.exe",
       "[AddItem(\"C:\\Program Files\\Morvelin\\Morvelin.exe\" /N ,\"Morvelin\")]"},
      {"C:\\表\\Morvelin.exe", "[AddItem(\"C:\\表\\Morvelin.exe\" /N ,\"Morvelin\")]"},
  };
  for (const Case& c : cases) {
    const auto commands = StartupGroupCommands(c.path);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0], "[CreateGroup(\xBD\xC0\xB0\xC4\xB1\xAF\xCC\xDF)]");
    EXPECT_EQ(commands[1], "[ShowGroup(\xBD\xC0\xB0\xC4\xB1\xAF\xCC\xDF,1)]");
    EXPECT_EQ(commands[2], c.add_item);
  }
  EXPECT_EQ(std::string("表"), "\x95\x5C");
}

TEST(RegisterInStartupGroupTest, WithoutAStartupFolderSendsTheCommandsToAnAnsweringShell) {
  Registration r;
  r.folders.paths.erase(csidl::kStartup);
  r.system.program_path = "C:\\Program Files\\M\\Morvelin.exe";
  r.dde.answers = {true, true};
  r.commands.RegisterInStartupGroup();
  r.commands.RegisterInStartupGroup();  // a second registration sends the same again

  EXPECT_EQ(r.system.beeps, 2);
  ASSERT_EQ(r.boxes.shown.size(), 2u);
  EXPECT_EQ(r.boxes.shown[0].caption, "情報");
  EXPECT_EQ(r.boxes.shown[0].icon, BoxIcon::Information);
  EXPECT_EQ(r.boxes.shown[0].buttons, BoxButtons::YesNo);
  EXPECT_EQ(r.boxes.shown[0].text, kRegisterQuestion);
  const auto commands = StartupGroupCommands(r.system.program_path);
  const std::vector<std::string> once = {"connect PROGMAN/PROGMAN", "exec " + commands[0],
                                         "exec " + commands[1], "exec " + commands[2],
                                         "disconnect"};
  std::vector<std::string> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(r.log.events, twice);
}

TEST(RegisterInStartupGroupTest, StartsTheShellOnceAndTriesOnceMore) {
  Registration r;
  r.folders.paths.erase(csidl::kStartup);
  r.dde.answers = {false, true};
  r.commands.RegisterInStartupGroup();
  ASSERT_GE(r.log.events.size(), 3u);
  EXPECT_EQ(r.log.events[0], "connect PROGMAN/PROGMAN");
  EXPECT_EQ(r.log.events[1], "winexec PROGMAN PROGMAN");
  EXPECT_EQ(r.log.events[2], "connect PROGMAN/PROGMAN");
  EXPECT_EQ(r.log.events.size(), 7u);
  EXPECT_EQ(r.log.events.back(), "disconnect");
  EXPECT_EQ(r.boxes.shown.size(), 1u);  // the question only
}

TEST(RegisterInStartupGroupTest, NoAnswerSendsNothing) {
  Registration r;
  r.boxes.answers = {BoxAnswer::No};
  r.commands.RegisterInStartupGroup();
  EXPECT_EQ(r.system.beeps, 1);
  EXPECT_EQ(r.boxes.shown.size(), 1u);
  EXPECT_TRUE(r.log.events.empty());
}

TEST(RegisterInStartupGroupTest, WritesTheStartupEntryShowsItsFolderThenOffersRemoval) {
  Registration r;
  r.system.program_path = "C:\\Tools\\Morvelin.exe";
  r.dde.answers = {true};  // an answering shell is not asked
  r.commands.RegisterInStartupGroup();
  EXPECT_EQ(r.log.events,
            (std::vector<std::string>{"create link", "save C:\\Users\\me\\Startup\\Morvelin.lnk"}));
  EXPECT_EQ(r.shell.calls,
            (std::vector<FakeShell::Call>{{nullptr, "C:\\Users\\me\\Startup", "", "", 1}}));
  EXPECT_EQ(
      r.links.files["C:\\Users\\me\\Startup\\Morvelin.lnk"],
      (std::vector<std::string>{"path=C:\\Tools\\Morvelin.exe", "dir=C:\\Tools\\", "args=/N"}));
  EXPECT_EQ(r.boxes.shown.size(), 1u);  // no failure message

  // Now it starts this program: the button offers its removal, which says when it fails.
  r.links.saves = false;
  r.commands.RegisterInStartupGroup();
  EXPECT_EQ(r.log.events.back(), "remove C:\\Users\\me\\Startup\\Morvelin.lnk");
  EXPECT_EQ(r.boxes.shown.back().text, "｢ｽﾀｰﾄｱｯﾌﾟ｣からMorvelinを削除できませんでした。");
  EXPECT_EQ(r.links.files.size(), 1u);
}

TEST(RegisterInStartupGroupTest, ReportsFailureOnceAndChangesNothingElse) {
  struct Case {
    bool starts, link_fails, saves, startup_folder;
  };
  const Case cases[] = {
      {true, true, true, true}, {true, false, false, true}, {false, false, true, false}};
  for (const Case& c : cases) {
    Registration r;
    r.starter.starts = c.starts;
    r.links.fails = c.link_fails;
    r.links.saves = c.saves;
    if (!c.startup_folder) r.folders.paths.erase(csidl::kStartup);
    r.commands.RegisterInStartupGroup();
    ASSERT_EQ(r.boxes.shown.size(), 2u);
    EXPECT_EQ(r.boxes.shown[1].text, "ショートカットの制作に失敗しました。");
    EXPECT_EQ(r.boxes.shown[1].caption, "Morvelin");
    EXPECT_EQ(r.boxes.shown[1].icon, BoxIcon::None);
    EXPECT_EQ(r.boxes.shown[1].buttons, BoxButtons::Ok);
    for (const std::string& e : r.log.events) EXPECT_NE(e.rfind("exec ", 0), 0u) << e;
    EXPECT_TRUE(r.links.files.empty() && r.shell.calls.empty());
  }
}

TEST(CreateDesktopShortcutTest, AsksWithoutBeepAndWritesTheLinkWithoutArguments) {
  Registration r;
  r.system.program_path = "C:\\Tools\\Morvelin.exe";
  r.commands.CreateDesktopShortcut();
  r.commands.CreateDesktopShortcut();  // replaces: same name, no numbered copy
  EXPECT_EQ(r.system.beeps, 0);
  ASSERT_EQ(r.boxes.shown.size(), 2u);
  EXPECT_EQ(r.boxes.shown[0].text, "ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成しますか?");
  EXPECT_EQ(r.boxes.shown[0].icon, BoxIcon::Information);
  EXPECT_EQ(r.links.files.size(), 1u);
  EXPECT_EQ(r.links.files["C:\\Users\\me\\Desktop\\Morvelinへのショートカット.lnk"],
            (std::vector<std::string>{"path=C:\\Tools\\Morvelin.exe", "dir=C:\\Tools\\"}));
}

TEST(CreateDesktopShortcutTest, EndsQuietlyOrWithTheErrorWhereItMust) {
  Registration no;
  no.boxes.answers = {BoxAnswer::No};
  no.commands.CreateDesktopShortcut();
  EXPECT_TRUE(no.log.events.empty());

  Registration no_folder;
  no_folder.folders.paths.clear();
  no_folder.commands.CreateDesktopShortcut();
  EXPECT_EQ(no_folder.log.events, std::vector<std::string>{"create link"});
  Registration unsaved;
  unsaved.links.saves = false;
  unsaved.commands.CreateDesktopShortcut();
  for (const Registration* failed : {&no_folder, &unsaved}) {  // the failure says so
    ASSERT_EQ(failed->boxes.shown.size(), 2u);
    EXPECT_EQ(failed->boxes.shown[1].text, "ショートカットの制作に失敗しました。");
  }

  Registration no_link;
  no_link.links.fails = true;
  EXPECT_THROW(no_link.commands.CreateDesktopShortcut(), AppError);
}

TEST(ShortcutNamesTest, WorkingFolderAndFileName) {
  struct Case {
    std::string target, name, folder, file;
  };
  const Case cases[] = {
      {"C:\\Tools\\Morvelin.exe", "Morvelin", "C:\\Tools\\",
       "D:\\Desk\\Morvelinへのショートカット.lnk"},
      {"C:\\Tools\\Morvelin.exe", "", "C:\\Tools\\",
       "D:\\Desk\\Morvelin.exeへのショートカット.lnk"},
      {"C:\\Morvelin.exe", "", "C:\\", "D:\\Desk\\Morvelin.exeへのショートカット.lnk"},
      {"C:Morvelin.exe", "", "C:", "D:\\Desk\\Morvelin.exeへのショートカット.lnk"},
      // "ソ" is 83 5C, "表" 95 5C: trail bytes, not separators.
      {"C:\\ソ表\\表.exe", "", "C:\\ソ表\\", "D:\\Desk\\表.exeへのショートカット.lnk"},
      {"C:\\Tools\\ソ表", "", "C:\\Tools\\", "D:\\Desk\\ソ表へのショートカット.lnk"},
      {"Morvelin.exe", "", "", "D:\\Desk\\Morvelin.exeへのショートカット.lnk"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderPart(c.target), c.folder) << c.target;
    EXPECT_EQ(ShortcutFileName("D:\\Desk", c.name, c.target), c.file) << c.target;
  }
}

}  // namespace
