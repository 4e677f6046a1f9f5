#include "editing/item_dialog.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/texts.h"
#include "editing/item_dialog_texts.h"
#include "editing/listing.h"
#include "fakes/fake_platform.h"

namespace {

const char* FieldName(TextField field) {
  static const char* const kNames[] = {"TitleName", "FileName",   "FolderName", "ArgumentsName",
                                       "HomeName",  "NeedTarget", "NeedLimit"};
  return kNames[static_cast<int>(field)];
}

// The dialog's controls as plain values; every action that reaches the user is logged.
class FakeItemDialogView : public ItemDialogView {
 public:
  std::map<TextField, std::string> texts;
  std::map<TimeField, std::string> times;
  int style = 0;
  bool once = false;
  std::string delay;
  int days = 0;
  bool idle = false;
  int need = 0;
  bool skip_at_limit = false;
  ConditionFieldUse need_use;
  std::string need_hint;
  std::optional<std::string> folder_to_pick;
  std::vector<std::string> log;
  std::optional<std::string> file_to_pick;  // the open dialog's answer
  std::vector<std::string> open_dialog_initials;

  std::string Text(TextField field) override { return texts[field]; }
  void SetText(TextField field, const std::string& text) override { texts[field] = text; }
  std::string TimeText(TimeField field) override { return times[field]; }
  void SetTimeText(TimeField field, const std::string& text) override { times[field] = text; }
  int StyleIndex() override { return style; }
  void SetStyleIndex(int index) override { style = index; }
  bool OnceTicked() override { return once; }
  void SetOnceTicked(bool ticked) override { once = ticked; }
  std::string DelayText() override { return delay; }
  void SetDelayText(const std::string& text) override { delay = text; }
  int DaysTicked() override { return days; }
  void SetDaysTicked(int ticked) override { days = ticked; }
  bool IdleTicked() override { return idle; }
  void SetIdleTicked(bool ticked) override { idle = ticked; }
  int NeedIndex() override { return need; }
  void SetNeedIndex(int index) override { need = index; }
  bool SkipAtLimitTicked() override { return skip_at_limit; }
  void SetSkipAtLimitTicked(bool skip) override { skip_at_limit = skip; }
  void EnableNeedFields(const ConditionFieldUse& use) override { need_use = use; }
  void SetNeedHint(const std::string& text) override { need_hint = text; }
  std::optional<std::string> AskFolder(const std::string&) override { return folder_to_pick; }
  void Focus(TextField field) override { log.push_back(std::string("focus ") + FieldName(field)); }
  void ClearIcon() override { log.push_back("clear icon"); }
  void ShowIconOf(const std::string& file) override { log.push_back("icon " + file); }
  void ShowError(const std::string& text) override { log.push_back("error " + text); }
  std::optional<std::string> AskFileToOpen(const std::string& initial_file) override {
    open_dialog_initials.push_back(initial_file);
    log.push_back("open dialog");
    return file_to_pick;
  }
  void StartExplorer() override { log.push_back("explorer"); }
  void MinimizeMainWindow() override { log.push_back("minimize main"); }
  void RestoreMainWindow() override { log.push_back("restore main"); }
  void PinToTopLeft() override { log.push_back("pin"); }
  void Beep() override { log.push_back("beep"); }
};

struct ItemDialogTest : ::testing::Test {
  FakeItemDialogView view;
  FakeClock clock;
  ItemDialogPresenter dialog{view, clock};

  void SetTimes(const char* shh, const char* smm, const char* ehh, const char* emm) {
    view.times[TimeField::Shh] = shh;
    view.times[TimeField::Smm] = smm;
    view.times[TimeField::Ehh] = ehh;
    view.times[TimeField::Emm] = emm;
  }
};

using Log = std::vector<std::string>;

}  // namespace

TEST(FitToWidth, PadsShortTextsOnTheLeftAndKeepsTheLastCharactersOfLongOnes) {
  EXPECT_EQ(FitToWidth("5", 2), " 5");
  EXPECT_EQ(FitToWidth("", 3), "   ");
  EXPECT_EQ(FitToWidth("07", 2), "07");
  EXPECT_EQ(FitToWidth("-09", 2), "09");
  EXPECT_EQ(FitToWidth("abcdef", 4), "cdef");
  EXPECT_EQ(FitToWidth("abc", 0), "");
}

TEST(TimeBand, EachValueBecomesExactlyTwoZeroPaddedCharacters) {
  EXPECT_EQ(TimeBandPart(0), "00");
  EXPECT_EQ(TimeBandPart(5), "05");
  EXPECT_EQ(TimeBandPart(59), "59");
  EXPECT_EQ(TimeBandPart(-9), "09");
  EXPECT_EQ(TimeBandPart(123), "23");
  EXPECT_EQ(BuildTimeBand(7, 5, 23, 59), "07052359");
  EXPECT_EQ(BuildTimeBand(0, 0, 0, 0), "00000000");
}

TEST(SplitItemFileName, FolderKeepsItsBackslashOnlyAtARootOrADoubledBackslash) {
  ItemFileParts p = SplitItemFileName("C:\\Tools\\Edit.exe");
  EXPECT_EQ(p.folder, "C:\\Tools");
  EXPECT_EQ(p.name, "Edit.exe");

  p = SplitItemFileName("C:\\Edit.exe");
  EXPECT_EQ(p.folder, "C:\\");
  EXPECT_EQ(p.name, "Edit.exe");

  p = SplitItemFileName("D:notes.txt");
  EXPECT_EQ(p.folder, "D:");
  EXPECT_EQ(p.name, "notes.txt");

  p = SplitItemFileName("\\\\server\\share\\run.bat");
  EXPECT_EQ(p.folder, "\\\\server\\share");
  EXPECT_EQ(p.name, "run.bat");

  p = SplitItemFileName("\\\\x.exe");
  EXPECT_EQ(p.folder, "\\\\");
  EXPECT_EQ(p.name, "x.exe");

  p = SplitItemFileName("\\boot.ini");
  EXPECT_EQ(p.folder, "\\");
  EXPECT_EQ(p.name, "boot.ini");

  p = SplitItemFileName("plain.exe");
  EXPECT_EQ(p.folder, "");
  EXPECT_EQ(p.name, "plain.exe");

  p = SplitItemFileName("C:\\Tools\\");
  EXPECT_EQ(p.folder, "C:\\Tools");
  EXPECT_EQ(p.name, "");
}

TEST(SplitItemFileName, ShiftJisTrailByte5CIsNeverADelimiter) {
  // ソ is 83 5C and 表 is 95 5C: both end in the backslash byte.
  ASSERT_EQ(std::string("ソ表"), "\x83\x5C\x95\x5C");

  ItemFileParts p = SplitItemFileName("C:\\ソフト\\表示.exe");
  EXPECT_EQ(p.folder, "C:\\ソフト");
  EXPECT_EQ(p.name, "表示.exe");

  // The last character of the folder ends in 0x5C: it is not a second backslash.
  p = SplitItemFileName("C:\\ソ\\a.exe");
  EXPECT_EQ(p.folder, "C:\\ソ");
  EXPECT_EQ(p.name, "a.exe");

  // A name that ends in a trail byte 0x5C keeps it.
  p = SplitItemFileName("C:\\Data\\表");
  EXPECT_EQ(p.folder, "C:\\Data");
  EXPECT_EQ(p.name, "表");

  p = SplitItemFileName("表示");
  EXPECT_EQ(p.folder, "");
  EXPECT_EQ(p.name, "表示");

  // A lone lead byte at the very end is a single byte.
  p = SplitItemFileName(std::string("C:\\a\\b\x81"));
  EXPECT_EQ(p.folder, "C:\\a");
  EXPECT_EQ(p.name, "b\x81");
}

TEST(TimeFieldRules, ParsingClampingAndTypedCharacters) {
  EXPECT_EQ(ParseTimeText("17"), 17);
  EXPECT_EQ(ParseTimeText("+5"), 5);
  EXPECT_EQ(ParseTimeText("-9"), -9);
  EXPECT_EQ(ParseTimeText("07"), 7);
  EXPECT_EQ(ParseTimeText(""), 0);
  EXPECT_EQ(ParseTimeText("-"), 0);
  EXPECT_EQ(ParseTimeText("1."), 0);
  EXPECT_EQ(ParseTimeText("ab"), 0);
  EXPECT_EQ(ParseTimeText(" 5"), 0);
  EXPECT_EQ(ParseTimeText("99999999999999999999"), 1000000);

  EXPECT_EQ(ClampTimeValue(TimeField::Shh, 24), 23);
  EXPECT_EQ(ClampTimeValue(TimeField::Ehh, 99), 23);
  EXPECT_EQ(ClampTimeValue(TimeField::Smm, 60), 59);
  EXPECT_EQ(ClampTimeValue(TimeField::Emm, -1), 0);
  EXPECT_EQ(ClampTimeValue(TimeField::Smm, 42), 42);

  for (char c : std::string("0123456789+-.\b\r\t\x03\x16")) {
    EXPECT_TRUE(IsTimeFieldCharacter(c, '.')) << int(c);
  }
  for (char c : std::string("a Z,:/*\x7F\x81")) {
    EXPECT_FALSE(IsTimeFieldCharacter(c, '.')) << int(c);
  }
  EXPECT_TRUE(IsTimeFieldCharacter(',', ','));
  EXPECT_FALSE(IsTimeFieldCharacter('.', ','));
}

TEST_F(ItemDialogTest, LoadFillsEveryFieldAndClampsTheTimes) {
  ItemDialogFields f;
  f.title = "メモ帳";
  f.file = "C:\\Windows\\notepad.exe";
  f.folder = "C:\\Windows";
  f.args = "/p a.txt";
  f.home = "http://example.jp/";
  f.style = 2;
  f.start_hour = 30;
  f.start_minute = -5;
  f.end_hour = 17;
  f.end_minute = 75;
  f.once = true;
  dialog.Load(f);

  EXPECT_EQ(view.texts[TextField::TitleName], "メモ帳");
  EXPECT_EQ(view.texts[TextField::FileName], "C:\\Windows\\notepad.exe");
  EXPECT_EQ(view.texts[TextField::FolderName], "C:\\Windows");
  EXPECT_EQ(view.texts[TextField::ArgumentsName], "/p a.txt");
  EXPECT_EQ(view.texts[TextField::HomeName], "http://example.jp/");
  EXPECT_EQ(view.style, 2);
  EXPECT_TRUE(view.once);
  EXPECT_EQ(view.times[TimeField::Shh], "23");
  EXPECT_EQ(view.times[TimeField::Smm], "00");
  EXPECT_EQ(view.times[TimeField::Ehh], "17");
  EXPECT_EQ(view.times[TimeField::Emm], "59");
}

TEST_F(ItemDialogTest, CloseBuildsTimeBandAndOnceTextFromTheFields) {
  ItemDialogFields f;
  f.start_hour = 7;
  f.start_minute = 5;
  f.end_hour = 23;
  f.end_minute = 59;
  dialog.Load(f);
  dialog.FormClose();
  EXPECT_EQ(dialog.p_time(), "07052359");
  EXPECT_EQ(dialog.once_check(), "0");

  // Texts still out of range at close (typed, then Enter) are clamped; non-numbers read 0.
  SetTimes("-9", "75", "99", "x");
  view.once = true;
  dialog.FormClose();
  EXPECT_EQ(dialog.p_time(), "00592300");
  EXPECT_EQ(dialog.once_check(), "1");

  SetTimes("+8", "", "09", "3");
  dialog.FormClose();
  EXPECT_EQ(dialog.p_time(), "08000903");
}

TEST_F(ItemDialogTest, ResultCarriesEveryFieldAndTheBuiltTexts) {
  view.texts[TextField::TitleName] = "t";
  view.texts[TextField::FileName] = "f.exe";
  view.texts[TextField::FolderName] = "C:\\w";
  view.texts[TextField::ArgumentsName] = "-a";
  view.texts[TextField::HomeName] = "http://h/";
  view.style = 1;
  view.once = true;
  SetTimes("6", "30", "21", "99");
  dialog.FormClose();
  const ItemDialogResult r = dialog.Result();
  EXPECT_EQ(r.fields.title, "t");
  EXPECT_EQ(r.fields.file, "f.exe");
  EXPECT_EQ(r.fields.folder, "C:\\w");
  EXPECT_EQ(r.fields.args, "-a");
  EXPECT_EQ(r.fields.home, "http://h/");
  EXPECT_EQ(r.fields.style, 1);
  EXPECT_EQ(r.fields.start_hour, 6);
  EXPECT_EQ(r.fields.start_minute, 30);
  EXPECT_EQ(r.fields.end_hour, 21);
  EXPECT_EQ(r.fields.end_minute, 59);
  EXPECT_TRUE(r.fields.once);
  EXPECT_EQ(r.p_time, "06302159");
  EXPECT_EQ(r.once_check, "1");
}

TEST_F(ItemDialogTest, OkChecksTitleFirstThenFileForEmptinessAndLength) {
  EXPECT_FALSE(dialog.OKBtnClick());
  EXPECT_EQ(view.log, (Log{std::string("error ") + texts::kNoTitle, "focus TitleName"}));
  EXPECT_EQ(std::string(texts::kNoTitle), "タイトル名が入力されていません");

  view.log.clear();
  view.texts[TextField::TitleName] = "t";
  EXPECT_FALSE(dialog.OKBtnClick());
  EXPECT_EQ(view.log, (Log{std::string("error ") + texts::kNoFileName, "focus FileName"}));
  EXPECT_EQ(std::string(texts::kNoFileName), "ファイル名が入力されていません");

  view.log.clear();
  view.texts[TextField::TitleName] = "  ";
  view.texts[TextField::FileName] = "C:\\does\\not\\exist.exe";
  EXPECT_TRUE(dialog.OKBtnClick());
  EXPECT_TRUE(view.log.empty());

  view.texts[TextField::FileName] = "https:" + std::string(895, 'q');  // past the shell's bound
  EXPECT_FALSE(dialog.OKBtnClick());
  EXPECT_EQ(view.log, (Log{"error " + std::string(texts::kFileTooLong), "focus FileName"}));
}

TEST_F(ItemDialogTest, ChoosingAFileReplacesTitleFolderAndArguments) {
  view.texts[TextField::TitleName] = "old title";
  view.texts[TextField::FolderName] = "C:\\old";
  view.texts[TextField::ArgumentsName] = "--old";
  view.texts[TextField::HomeName] = "http://keep/";
  dialog.FilesDropped("C:\\ソフト\\表示.exe");
  EXPECT_EQ(view.texts[TextField::FileName], "C:\\ソフト\\表示.exe");
  EXPECT_EQ(view.texts[TextField::FolderName], "C:\\ソフト");
  EXPECT_EQ(view.texts[TextField::TitleName], "表示.exe");
  EXPECT_EQ(view.texts[TextField::ArgumentsName], "");
  EXPECT_EQ(view.texts[TextField::HomeName], "http://keep/");
  EXPECT_EQ(view.log, (Log{"clear icon", "icon C:\\ソフト\\表示.exe"}));

  dialog.ChooseItemFile("C:\\Edit.exe");
  EXPECT_EQ(view.texts[TextField::FolderName], "C:\\");
  EXPECT_EQ(view.texts[TextField::TitleName], "Edit.exe");
}

TEST_F(ItemDialogTest, TypedFileNameChangesOnlyTheIconWhenTheFieldIsLeft) {
  view.texts[TextField::TitleName] = "keep";
  view.texts[TextField::FolderName] = "C:\\keep";
  view.texts[TextField::FileName] = "C:\\Tools\\Edit.exe";
  dialog.FileNameExit();
  EXPECT_EQ(view.texts[TextField::TitleName], "keep");
  EXPECT_EQ(view.texts[TextField::FolderName], "C:\\keep");
  EXPECT_EQ(view.log, (Log{"clear icon", "icon C:\\Tools\\Edit.exe"}));

  view.log.clear();
  view.texts[TextField::FileName] = "";
  dialog.FileNameExit();
  EXPECT_EQ(view.log, (Log{"clear icon"}));
}

TEST_F(ItemDialogTest, ShowingTheDialogShowsTheFileIconThenFocusesTheTitle) {
  ItemDialogFields existing;
  existing.file = "C:\\Tools\\Edit.exe";
  dialog.Load(existing);
  dialog.FormShow();
  EXPECT_EQ(view.log, (Log{"clear icon", "icon C:\\Tools\\Edit.exe", "focus TitleName"}));

  view.log.clear();
  dialog.Load(ItemDialogFields{});
  dialog.FormShow();
  EXPECT_EQ(view.log, (Log{"clear icon", "focus TitleName"}));
}

TEST_F(ItemDialogTest, BrowseStartsAtTheCurrentFileAndCancelChangesNothing) {
  view.texts[TextField::TitleName] = "t";
  view.texts[TextField::FileName] = "C:\\a\\b.exe";
  view.texts[TextField::ArgumentsName] = "-x";
  dialog.OpenButtonClick();
  EXPECT_EQ(view.open_dialog_initials, (Log{"C:\\a\\b.exe"}));
  EXPECT_EQ(view.log, (Log{"open dialog"}));
  EXPECT_EQ(view.texts[TextField::TitleName], "t");
  EXPECT_EQ(view.texts[TextField::FileName], "C:\\a\\b.exe");
  EXPECT_EQ(view.texts[TextField::ArgumentsName], "-x");

  view.log.clear();
  view.file_to_pick = "D:\\Games\\play.exe";
  dialog.OpenButtonClick();
  EXPECT_EQ(view.texts[TextField::FileName], "D:\\Games\\play.exe");
  EXPECT_EQ(view.texts[TextField::FolderName], "D:\\Games");
  EXPECT_EQ(view.texts[TextField::TitleName], "play.exe");
  EXPECT_EQ(view.texts[TextField::ArgumentsName], "");
  EXPECT_EQ(view.log.front(), "open dialog");
  EXPECT_EQ(view.log.back(), "icon D:\\Games\\play.exe");
}

TEST_F(ItemDialogTest, ExplorerButtonMinimisesTheMainWindowAndClosingRestoresIt) {
  dialog.ExplorerButtonClick();
  EXPECT_EQ(view.log, (Log{"explorer", "minimize main", "pin"}));
  view.log.clear();
  dialog.FormCloseQuery();
  EXPECT_EQ(view.log, (Log{"restore main"}));
}

TEST_F(ItemDialogTest, NowSetsStartOrEndToTheCurrentHourAndMinute) {
  SetTimes("0", "0", "23", "59");
  clock.now = LocalTime{2026, 3, 1, 9, 5, 48};
  dialog.StartTimeNowClick();
  EXPECT_EQ(view.times[TimeField::Shh], "9");
  EXPECT_EQ(view.times[TimeField::Smm], "05");
  dialog.FormClose();
  EXPECT_EQ(dialog.p_time().substr(0, 4), "0905");
  EXPECT_EQ(dialog.p_time(), "09052359");

  clock.now = LocalTime{2026, 3, 1, 18, 40, 0};
  dialog.EndTimeNowClick();
  dialog.FormClose();
  EXPECT_EQ(dialog.p_time(), "09051840");
}

TEST_F(ItemDialogTest, ArrowsStepWithoutWrappingAndLeavingAFieldClampsIt) {
  SetTimes("23", "0", "abc", "7");
  dialog.TimeFieldStep(TimeField::Shh, +1);
  dialog.TimeFieldStep(TimeField::Smm, -1);
  dialog.TimeFieldStep(TimeField::Ehh, +1);
  dialog.TimeFieldStep(TimeField::Emm, +1);
  EXPECT_EQ(view.times[TimeField::Shh], "23");
  EXPECT_EQ(view.times[TimeField::Smm], "00");
  EXPECT_EQ(view.times[TimeField::Ehh], "1");
  EXPECT_EQ(view.times[TimeField::Emm], "08");

  SetTimes("-9", "75", "", "7");
  for (TimeField f : {TimeField::Shh, TimeField::Smm, TimeField::Ehh, TimeField::Emm}) {
    dialog.TimeFieldExit(f);
  }
  EXPECT_EQ(view.times[TimeField::Shh], "0");
  EXPECT_EQ(view.times[TimeField::Smm], "59");
  EXPECT_EQ(view.times[TimeField::Ehh], "");  // reads 0, already in range
  EXPECT_EQ(view.times[TimeField::Emm], "07");
}

TEST_F(ItemDialogTest, RefusedCharactersBeep) {
  EXPECT_TRUE(dialog.TimeFieldKey('7', '.'));
  EXPECT_TRUE(dialog.TimeFieldKey('\b', '.'));
  EXPECT_TRUE(view.log.empty());
  EXPECT_FALSE(dialog.TimeFieldKey('x', '.'));
  EXPECT_FALSE(dialog.TimeFieldKey(',', '.'));
  EXPECT_EQ(view.log, (Log{"beep", "beep"}));
}

// What OK refuses, with its message and field, and what it keeps: only what the kind uses.
TEST(ConditionFields, OkRefusesEachMalformedFieldAndKeepsOnlyTheKindsOwn) {
  using K = ConditionKind;
  const char* const ok = nullptr;
  const std::tuple<K, std::vector<std::string>, const char*> groups[] = {
      {K::PathExists, {"  "}, texts::kNeedNoPath},
      {K::PathExists,
       {"Data\\x", "Z:\\a|b", "Z:\\a\tb", "Z:\\a\\b:c", "Z:\\" + std::string(257, 'a')},
       texts::kNeedBadPath},
      {K::PathExists, {"Z:\\ソポ", "\\\\nas\\share"}, ok},  // trail bytes 5C, 7C: no delimiters
      {K::PortOpen, {""}, texts::kNeedNoHost},
      {K::PortOpen, {"localhost", ":80", "a b:80", "[::1]8080", "h:8o"}, texts::kNeedBadHost},
      {K::PortOpen, {"host:0", "host:65536"}, texts::kNeedBadPort},
      {K::PortOpen, {"vpn.example.jp:65535", "[::1]:8080"}, ok}};
  for (const auto& [kind, targets, message] : groups)
    for (const std::string& target : targets) {
      const auto fault = ConditionFaultOf(kind, target, "60");
      EXPECT_EQ(fault ? fault->message : ok, message) << target;  // the very texts
      EXPECT_TRUE(!fault || fault->field == ConditionField::Target) << target;
    }
  for (const char* limit : {"0", "3601", "1x", ""})
    EXPECT_EQ(ConditionFaultOf(K::PreviousReady, "", limit)->field, ConditionField::Limit);
  EXPECT_FALSE(ConditionFaultOf(K::PreviousReady, "", "3600") || ConditionFaultOf(K::None, "", ""));
  EXPECT_EQ(ConditionOf(K::PortOpen, " h:1 ", "5", true),
            (StartCondition{K::PortOpen, "h:1", 5, AtLimit::Skip}));
  EXPECT_EQ(ConditionOf(K::PreviousReady, "x", "60", false).target, "");
  EXPECT_EQ(ConditionOf(K::None, "x", "5", true), StartCondition{});
}

// The kind enables its fields and explains itself, OK focuses what it refuses, and the listing
// shows the result after the timing.
TEST_F(ItemDialogTest, TheConditionsKindEnablesItsFieldsAndOkFocusesWhatItRefuses) {
  ItemDialogFields f;
  f.condition = {ConditionKind::PathExists, "Z:\\Data", 9999, AtLimit::Skip};
  dialog.Load(f);
  EXPECT_EQ(view.texts[TextField::NeedLimit], "3600");
  view.folder_to_pick = "127.0.0.1:80800";  // as if picked
  dialog.NeedBrowseClick();
  view.need = 3;
  dialog.NeedKindChange();
  EXPECT_EQ(view.need_use, (ConditionFieldUse{true, false, true}));
  EXPECT_EQ(view.need_hint, texts::kNeedPortHint);
  view.texts[TextField::TitleName] = view.texts[TextField::FileName] = "f.exe";
  EXPECT_FALSE(dialog.OKBtnClick());
  EXPECT_EQ(view.log, (Log{"error " + std::string(texts::kNeedBadPort), "focus NeedTarget"}));
  view.texts[TextField::NeedTarget].pop_back();
  view.texts[TextField::NeedLimit] = "60";
  EXPECT_TRUE(dialog.OKBtnClick());
  LaunchItem row;
  row.timing.delay_seconds = 30;
  row.condition = dialog.Result().fields.condition;
  EXPECT_EQ(FillListing({row})[0][7], "30秒後 待機: ﾎﾟｰﾄ 127.0.0.1:8080 (60秒, 超過時ｽｷｯﾌﾟ)");
}
