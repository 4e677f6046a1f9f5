#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editing/condition_fields.h"
#include "editing/item_dialog_fields.h"
#include "platform/system.h"

// The item properties dialog's rules, apart from its window: what each event does to the
// fields, how a chosen file is split, and how the time band and once texts are built.

// Pads on the left with blanks or cuts from the front so that exactly `width` bytes remain.
std::string FitToWidth(std::string_view text, int width);

// One time value as its two characters of the time band: zero padded to at least two digits,
// then fitted to two ("5" gives "05"; -9 gives "-09" and then "09").
std::string TimeBandPart(int value);

// The eight-character time band hhmmhhmm.
std::string BuildTimeBand(int start_hour, int start_minute, int end_hour, int end_minute);

// A full file name split into its folder and its name.
struct ItemFileParts {
  std::string folder;  // up to the last "\" or ":", the final "\" kept only after ":" or "\"
  std::string name;    // after the last "\" or ":", extension included
};
// A "\" that is the second byte of a Shift-JIS character is never a delimiter.
ItemFileParts SplitItemFileName(std::string_view full_name);

// The four numeric fields.
enum class TimeField { Shh, Smm, Ehh, Emm };
inline constexpr int kTimeFieldCount = 4;
int TimeFieldMaximum(TimeField field);  // 23 for hours, 59 for minutes; the minimum is 0
int ClampTimeValue(TimeField field, int value);
// What a time field shows for a value: brought into range, minutes always with two digits.
std::string TimeFieldText(TimeField field, int value);

// The value of a numeric field's text: an optional sign and decimal digits; anything else
// (including an empty text) reads as 0.
int ParseTimeText(std::string_view text);

// Whether a typed character may enter a numeric field: digits, "+", "-", the decimal
// separator and control characters.
bool IsTimeFieldCharacter(char c, char decimal_separator);

enum class TextField {
  TitleName,
  FileName,
  FolderName,
  ArgumentsName /* HikiName */,
  HomeName,
  NeedTarget,  // what the start condition waits for: a path, or host:port
  NeedLimit,   // its limit in seconds
};

// What the dialog window provides to its rules.
class ItemDialogView {
 public:
  virtual ~ItemDialogView() = default;

  virtual std::string Text(TextField field) = 0;
  virtual void SetText(TextField field, const std::string& text) = 0;
  virtual std::string TimeText(TimeField field) = 0;
  virtual void SetTimeText(TimeField field, const std::string& text) = 0;
  virtual int StyleIndex() = 0;  // -1 when nothing is selected
  virtual void SetStyleIndex(int index) = 0;
  virtual bool OnceTicked() = 0;
  virtual void SetOnceTicked(bool ticked) = 0;
  virtual void Focus(TextField field) = 0;
  // The log-on timing: the delay as typed, the days as one bit per weekday (0 Sunday).
  virtual std::string DelayText() = 0;
  virtual void SetDelayText(const std::string& text) = 0;
  virtual int DaysTicked() = 0;
  virtual void SetDaysTicked(int days) = 0;
  virtual bool IdleTicked() = 0;
  virtual void SetIdleTicked(bool ticked) = 0;
  // The start condition: its kind as the index of its list (ConditionKind order), whether the
  // row is skipped at the limit, the fields the kind uses and the hint line that explains it.
  virtual int NeedIndex() = 0;  // -1 when nothing is selected
  virtual void SetNeedIndex(int index) = 0;
  virtual bool SkipAtLimitTicked() = 0;
  virtual void SetSkipAtLimitTicked(bool skip) = 0;
  virtual void EnableNeedFields(const ConditionFieldUse& use) = 0;
  virtual void SetNeedHint(const std::string& text) = 0;
  // The system's folder picker, starting at initial; nothing when the user cancels.
  virtual std::optional<std::string> AskFolder(const std::string& initial) = 0;

  virtual void ClearIcon() = 0;
  // Shows the file's first icon; the picture stays empty when the file has none.
  virtual void ShowIconOf(const std::string& file) = 0;
  // Error box: error kind, OK button.
  virtual void ShowError(const std::string& text) = 0;
  // The open-file dialog; nothing when the user cancels.
  virtual std::optional<std::string> AskFileToOpen(const std::string& initial_file) = 0;

  virtual void StartExplorer() = 0;
  virtual void MinimizeMainWindow() = 0;
  virtual void RestoreMainWindow() = 0;
  // Moves the dialog to the screen's top-left corner and keeps it there from now on.
  virtual void PinToTopLeft() = 0;

  virtual void Beep() = 0;
};

// Drives an ItemDialogView: one presenter for one showing of the dialog.
class ItemDialogPresenter {
 public:
  ItemDialogPresenter(ItemDialogView& view, Clock& clock) : view_(view), clock_(clock) {}

  // Fills the fields from the caller's values; numeric values are clamped into range.
  void Load(const ItemDialogFields& fields);
  void FormShow();
  void FileNameExit() { ShowFileIcon(view_.Text(TextField::FileName)); }
  // True when the dialog may close with OK.
  bool OKBtnClick();
  void OpenButtonClick();
  void FilesDropped(const std::string& first_file) { ChooseItemFile(first_file); }
  void ExplorerButtonClick();                                                 // Button1Click
  void StartTimeNowClick() { SetTimeToNow(TimeField::Shh, TimeField::Smm); }  // STimeCClick
  void EndTimeNowClick() { SetTimeToNow(TimeField::Ehh, TimeField::Emm); }    // ETimeCClick
  void FormCloseQuery() { view_.RestoreMainWindow(); }
  // Builds P_Time and OnceCheck; runs at every close, whatever the result.
  void FormClose();

  // Numeric fields: the focus leaves, an arrow steps, a character is typed.
  void TimeFieldExit(TimeField field);
  // The delay field shows the value it will give: a number within 0 to kMaxDelaySeconds.
  void DelayFieldExit();
  void TimeFieldStep(TimeField field, int delta);
  // The start condition's kind was chosen: its fields and its hint follow.
  void NeedKindChange();
  // Picks the folder to wait for.
  void NeedBrowseClick();
  // False (after a beep) for a character that may not be typed into a numeric field.
  bool TimeFieldKey(char c, char decimal_separator);

  void ChooseItemFile(const std::string& full_name);
  void ShowFileIcon(const std::string& file);

  const std::string& p_time() const { return p_time_; }
  const std::string& once_check() const { return once_check_; }
  // Everything the caller reads back after OK; valid after FormClose.
  ItemDialogResult Result();

 private:
  void SetTimeValue(TimeField field, int value);
  int TimeValue(TimeField field);
  int DelayValue();
  ConditionKind NeedKind();
  void SetTimeToNow(TimeField hour, TimeField minute);

  ItemDialogView& view_;
  Clock& clock_;
  std::string p_time_;
  std::string once_check_;
};
