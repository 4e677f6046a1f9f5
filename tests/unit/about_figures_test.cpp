#include "shell/about_figures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "platform/app_error.h"
#include "shell/help_command.h"

namespace {

TEST(KilobyteTextTest, RoundsHalvesToEvenAndGroupsThousands) {
  struct Case {
    std::uint64_t bytes;
    std::string text;
  };
  const Case cases[] = {
      {0, "0KB"},
      {511, "0KB"},
      {513, "1KB"},
      {1536, "2KB"},  // 1.5
      {2560, "2KB"},  // 2.5
      {3584, "4KB"},  // 3.5
      {999 * 1024, "999KB"},
      {1000 * 1024, "1,000KB"},
      {133615616, "130,484KB"},
      {4294967296ull, "4,194,304KB"},  // 4 GB, past any 32-bit count
      {17179869184ull + 512, "16,777,216KB"},
  };
  for (const Case& c : cases) EXPECT_EQ(KilobyteText(c.bytes, ","), c.text) << c.bytes;
  EXPECT_EQ(KilobyteText(1000 * 1024, "."), "1.000KB");
}

TEST(FreeResourceLineTest, JoinsTheLabelsAndFigures) {
  EXPECT_EQ(FreeResourceLine("85", "85", "90"),
            " System\x81\x46"
            "85%  User\x81\x46"
            "85%  GDI\x81\x46"
            "90%");
}

TEST(FreeResourceColourTest, SignalsBySystemAndUserOnly) {
  struct Case {
    int system, user;
    Rgb colour;
  };
  const Case cases[] = {
      {85, 85, kLime}, {34, 34, kLime}, {33, 50, kYellow}, {50, 33, kYellow}, {18, 18, kYellow},
      {17, 50, kRed},  {50, 17, kRed},  {0, 100, kRed},    {50, 50, kLime},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FreeResourceColour(c.system, c.user), c.colour) << c.system << "/" << c.user;
}

class FakeMemory : public MemoryStatus {
 public:
  MemoryFigures figures;
  std::string separator = ",";
  MemoryFigures Read() override { return figures; }
  std::string ThousandsSeparator() override { return separator; }
};

class FakeResources : public FreeResources {
 public:
  std::vector<int> answers;  // per kind; negative: the query fails
  std::vector<int> asked;
  std::uint16_t Percent(std::uint16_t kind) override {
    asked.push_back(kind);
    if (answers[kind] < 0) throw AppError("Faild to call User.exe");
    return static_cast<std::uint16_t>(answers[kind]);
  }
};

TEST(RefreshSystemInfoTest, ShowsTheFiguresInTheirColour) {
  FakeMemory memory;
  memory.figures = {6442450944ull, 1536};
  FakeResources resources;
  resources.answers = {85, 5, 17};  // system, GDI, user

  const AboutFigures figures = RefreshSystemInfo(memory, resources);
  EXPECT_EQ(figures.total_memory, "Memory Available to Windows : 6,291,456KB");
  EXPECT_EQ(figures.free_memory, "Free Memory : 2KB");
  EXPECT_EQ(figures.resources,
            " System\x81\x46"
            "85%  User\x81\x46"
            "17%  GDI\x81\x46"
            "5%");
  EXPECT_EQ(figures.resources_colour, kRed);
  EXPECT_EQ(resources.asked, (std::vector<int>{0, 1, 2}));
}

TEST(RefreshSystemInfoTest, FallsBackToWindows2000InLimeAndKeepsTheMemoryLines) {
  FakeMemory memory;
  memory.figures = {0, 0};
  FakeResources resources;
  resources.answers = {10, -1, 10};
  const AboutFigures figures = RefreshSystemInfo(memory, resources);
  EXPECT_EQ(figures.total_memory, "Memory Available to Windows : 0KB");
  EXPECT_EQ(figures.resources, "Windows2000");
  EXPECT_EQ(figures.resources_colour, kLime);
  EXPECT_EQ(resources.asked, (std::vector<int>{0, 1}));  // the error ends the query
}

class FakeHelp : public HelpViewer {
 public:
  bool exists = true, winhelp = true, opens = true;
  std::vector<std::string> shown;  // what was opened, and how
  bool FileExists(const std::string&) override { return exists; }
  bool HasWinHelp() override { return winhelp; }
  void ShowContents(WindowHandle, const std::string& path) override { shown.push_back(path); }
  void ShowContext(WindowHandle, const std::string& path, int number) override {
    shown.push_back(path + " #" + std::to_string(number));
  }
  bool OpenPage(WindowHandle, const std::string& path) override {
    shown.push_back("browser " + path);
    return opens;
  }
};

TEST(ShowHelpContentsTest, OpensTheFileOrSaysItIsMissing) {
  FakeMessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  FakeHelp help;
  ShowHelpContents(help, dialogs, nullptr, "C:\\ソ\\");
  EXPECT_EQ(help.shown, std::vector<std::string>{"C:\\ソ\\Morvelin.Hlp"});
  EXPECT_TRUE(boxes.shown.empty());

  help.exists = false;
  ShowHelpContents(help, dialogs, nullptr, "C:\\ソ\\");
  EXPECT_EQ(help.shown.size(), 1u);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "エラー");
  EXPECT_EQ(boxes.shown[0].text, "ヘルプファイル C:\\ソ\\Morvelin.Hlp が見つかりません。");

  // F1 in the box that says the help is missing opens no second box on it.
  const auto f1 = [&] { ShowHelp(help, dialogs, nullptr, "C:\\", HelpTopicId::MainWindow); };
  boxes.while_open = f1;
  f1();
  f1();  // after the first box closed
  EXPECT_EQ(boxes.shown.size(), 3u);
}

// Without WinHelp the topic's page goes to the browser; a page no browser takes says so.
TEST(ShowHelpTest, PagesGoToTheBrowser) {
  FakeMessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  FakeHelp help;
  help.winhelp = false;
  help.opens = false;
  // F1 in the box that says so tries the page again but opens no second box on it.
  boxes.while_open = [&] { ShowHelp(help, dialogs, nullptr, "C:\\A\\", HelpTopicId::Listing); };
  ShowHelp(help, dialogs, nullptr, "C:\\A\\", HelpTopicId::Listing);
  EXPECT_EQ(help.shown, std::vector<std::string>(2, "browser C:\\A\\MorvelinHelp\\listing.htm"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(
      boxes.shown[0].text.rfind("ヘルプ C:\\A\\MorvelinHelp\\listing.htm を開けませんでした。", 0),
      0u);
}

TEST(ShowHelpTest, EachTopicHasItsNumberAndPage) {
  struct Case {
    HelpTopicId topic;
    int number;
    std::string page;
  };
  const Case cases[] = {
      {HelpTopicId::Contents, 0, "index.htm"},
      {HelpTopicId::MainWindow, 1, "main_window.htm"},
      {HelpTopicId::ItemDialog, 2, "item_dialog.htm"},
      {HelpTopicId::Listing, 3, "listing.htm"},
      {HelpTopicId::AboutBox, 4, "about_box.htm"},
      {HelpTopicId::Options, 5, "options.htm"},
      {HelpTopicId::LogOnHistory, 6, "logon_history.htm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    ASSERT_EQ(HelpContextNumber(c.topic), c.number);
    FakeMessageBoxes boxes;
    MessageDialogs dialogs(boxes);
    FakeHelp help;
    ShowHelp(help, dialogs, nullptr, "C:\\A\\", c.topic);
    EXPECT_EQ(help.shown,
              std::vector<std::string>{"C:\\A\\Morvelin.Hlp" +
                                       (c.number ? " #" + std::to_string(c.number) : "")});
    EXPECT_EQ(HelpPagePath("C:\\A\\", c.topic), "C:\\A\\MorvelinHelp\\" + c.page);
  }
}

}  // namespace
