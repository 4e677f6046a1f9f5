#include "editing/item_dialog.h"

#include <algorithm>
#include <cstdio>

#include "core/launch_limits.h"
#include "core/texts.h"
#include "platform/text_format.h"

std::string FitToWidth(std::string_view text, int width) {
  if (width <= 0) return std::string();
  std::string fitted(static_cast<size_t>(width), ' ');
  fitted.append(text);
  return fitted.substr(fitted.size() - static_cast<size_t>(width));
}

std::string TimeFieldText(TimeField field, int value) {
  const int clamped = ClampTimeValue(field, value);
  // Minutes read as on a clock ("9:05"); an hour is shown as typed, without a leading zero.
  if (field == TimeField::Smm || field == TimeField::Emm) return TimeBandPart(clamped);
  return std::to_string(clamped);
}

std::string TimeBandPart(int value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%.2d", value);
  return FitToWidth(digits, 2);
}

std::string BuildTimeBand(int start_hour, int start_minute, int end_hour, int end_minute) {
  return TimeBandPart(start_hour) + TimeBandPart(start_minute) + TimeBandPart(end_hour) +
         TimeBandPart(end_minute);
}

ItemFileParts SplitItemFileName(std::string_view full_name) {
  size_t before_delimiter = std::string_view::npos;
  const size_t delimiter = LastPathDelimiter(full_name, &before_delimiter);
  if (delimiter == std::string_view::npos) return {std::string(), std::string(full_name)};

  ItemFileParts parts;
  parts.name = std::string(full_name.substr(delimiter + 1));
  size_t folder_length = delimiter + 1;
  if (full_name[delimiter] == '\\' && before_delimiter != std::string_view::npos) {
    // A single-byte character right before it: the backslash ends a root ("C:\") or a doubled
    // backslash only when that character is ":" or "\".
    const bool single_byte = before_delimiter + 1 == delimiter;
    const char c = full_name[before_delimiter];
    if (!single_byte || (c != ':' && c != '\\')) --folder_length;
  }
  parts.folder = std::string(full_name.substr(0, folder_length));
  return parts;
}

int TimeFieldMaximum(TimeField field) {
  return field == TimeField::Shh || field == TimeField::Ehh ? 23 : 59;
}

int ClampTimeValue(TimeField field, int value) {
  if (value < 0) return 0;
  const int maximum = TimeFieldMaximum(field);
  return value > maximum ? maximum : value;
}

int ParseTimeText(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return 0;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    value = value * 10 + (text[i] - '0');
    if (value > 1000000) value = 1000000;  // far beyond any field's range; keeps it in an int
  }
  return static_cast<int>(negative ? -value : value);
}

bool IsTimeFieldCharacter(char c, char decimal_separator) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == decimal_separator || u < 0x20;
}

void ItemDialogPresenter::Load(const ItemDialogFields& fields) {
  view_.SetText(TextField::TitleName, fields.title);
  view_.SetText(TextField::FileName, fields.file);
  view_.SetText(TextField::FolderName, fields.folder);
  view_.SetText(TextField::ArgumentsName, fields.args);
  view_.SetText(TextField::HomeName, fields.home);
  view_.SetStyleIndex(fields.style);
  SetTimeValue(TimeField::Shh, fields.start_hour);
  SetTimeValue(TimeField::Smm, fields.start_minute);
  SetTimeValue(TimeField::Ehh, fields.end_hour);
  SetTimeValue(TimeField::Emm, fields.end_minute);
  view_.SetOnceTicked(fields.once);
  view_.SetDelayText(std::to_string(std::clamp(fields.timing.delay_seconds, 0, kMaxDelaySeconds)));
  view_.SetDaysTicked(fields.timing.days & kAllDays);
  view_.SetIdleTicked(fields.timing.when_idle);
  const StartCondition& need = fields.condition;
  view_.SetNeedIndex(static_cast<int>(need.kind));
  view_.SetText(TextField::NeedTarget, need.target);
  view_.SetText(TextField::NeedLimit,
                std::to_string(std::clamp(need.limit_seconds, kMinConditionLimitSeconds,
                                          kMaxConditionLimitSeconds)));
  view_.SetSkipAtLimitTicked(need.at_limit == AtLimit::Skip);
  NeedKindChange();
}

ConditionKind ItemDialogPresenter::NeedKind() {
  const int index = view_.NeedIndex();
  return index > 0 && index < kConditionKindCount ? static_cast<ConditionKind>(index)
                                                  : ConditionKind::None;
}

void ItemDialogPresenter::NeedKindChange() {
  view_.EnableNeedFields(ConditionFieldsFor(NeedKind()));
  view_.SetNeedHint(ConditionHint(NeedKind()));
}

void ItemDialogPresenter::NeedBrowseClick() {
  const std::optional<std::string> folder = view_.AskFolder(view_.Text(TextField::NeedTarget));
  if (folder) view_.SetText(TextField::NeedTarget, *folder);
}

int ItemDialogPresenter::DelayValue() {
  return std::clamp(ParseTimeText(view_.DelayText()), 0, kMaxDelaySeconds);
}

void ItemDialogPresenter::DelayFieldExit() {
  view_.SetDelayText(std::to_string(DelayValue()));
}

void ItemDialogPresenter::FormShow() {
  ShowFileIcon(view_.Text(TextField::FileName));
  view_.Focus(TextField::TitleName);
}

bool ItemDialogPresenter::OKBtnClick() {
  // Emptiness and length count: blanks, or a file that does not exist, are accepted.
  if (view_.Text(TextField::TitleName).empty()) {
    view_.ShowError(texts::kNoTitle);
    view_.Focus(TextField::TitleName);
    return false;
  }
  if (view_.Text(TextField::FileName).empty()) {
    view_.ShowError(texts::kNoFileName);
    view_.Focus(TextField::FileName);
    return false;
  }
  // A row the shell could never be handed would only fail at every log-on.
  if (!ShellCanTake(view_.Text(TextField::FileName), view_.Text(TextField::ArgumentsName),
                    view_.Text(TextField::FolderName))) {
    view_.ShowError(texts::kFileTooLong);
    view_.Focus(TextField::FileName);
    return false;
  }
  // A condition that could never be met would hold the row back at every log-on.
  if (const auto fault = ConditionFaultOf(NeedKind(), view_.Text(TextField::NeedTarget),
                                          view_.Text(TextField::NeedLimit))) {
    view_.ShowError(fault->message);
    view_.Focus(fault->field == ConditionField::Target ? TextField::NeedTarget
                                                       : TextField::NeedLimit);
    return false;
  }
  return true;
}

void ItemDialogPresenter::OpenButtonClick() {
  const std::optional<std::string> picked = view_.AskFileToOpen(view_.Text(TextField::FileName));
  if (!picked) return;
  ChooseItemFile(*picked);
  ShowFileIcon(view_.Text(TextField::FileName));
}

void ItemDialogPresenter::ExplorerButtonClick() {
  view_.StartExplorer();
  view_.MinimizeMainWindow();
  view_.PinToTopLeft();
}

void ItemDialogPresenter::FormClose() {
  // A value still out of range (typed, then Enter without leaving the field) is clamped like
  // one left behind, so the time band always holds a valid time of day.
  p_time_ = BuildTimeBand(TimeValue(TimeField::Shh), TimeValue(TimeField::Smm),
                          TimeValue(TimeField::Ehh), TimeValue(TimeField::Emm));
  once_check_ = view_.OnceTicked() ? "1" : "0";
}

void ItemDialogPresenter::TimeFieldExit(TimeField field) {
  const int value = ParseTimeText(view_.TimeText(field));
  // A minute left as "7" is shown as "07"; an hour is rewritten only when out of range.
  const bool minute = field == TimeField::Smm || field == TimeField::Emm;
  if (ClampTimeValue(field, value) != value ||
      (minute && view_.TimeText(field) != TimeFieldText(field, value)))
    SetTimeValue(field, value);
}

void ItemDialogPresenter::TimeFieldStep(TimeField field, int delta) {
  SetTimeValue(field, ParseTimeText(view_.TimeText(field)) + delta);
}

bool ItemDialogPresenter::TimeFieldKey(char c, char decimal_separator) {
  if (IsTimeFieldCharacter(c, decimal_separator)) return true;
  view_.Beep();
  return false;
}

void ItemDialogPresenter::ChooseItemFile(const std::string& full_name) {
  const ItemFileParts parts = SplitItemFileName(full_name);
  view_.SetText(TextField::FileName, full_name);
  view_.SetText(TextField::FolderName, parts.folder);
  view_.SetText(TextField::TitleName, parts.name);
  view_.SetText(TextField::ArgumentsName, std::string());
  ShowFileIcon(full_name);
}

void ItemDialogPresenter::ShowFileIcon(const std::string& file) {
  view_.ClearIcon();
  if (file.empty()) return;
  view_.ShowIconOf(file);
}

ItemDialogResult ItemDialogPresenter::Result() {
  ItemDialogResult result;
  ItemDialogFields& f = result.fields;
  f.title = view_.Text(TextField::TitleName);
  f.file = view_.Text(TextField::FileName);
  f.folder = view_.Text(TextField::FolderName);
  f.args = view_.Text(TextField::ArgumentsName);
  f.home = view_.Text(TextField::HomeName);
  f.style = view_.StyleIndex();
  f.start_hour = TimeValue(TimeField::Shh);
  f.start_minute = TimeValue(TimeField::Smm);
  f.end_hour = TimeValue(TimeField::Ehh);
  f.end_minute = TimeValue(TimeField::Emm);
  f.once = view_.OnceTicked();
  f.timing = {DelayValue(), view_.DaysTicked() & kAllDays, view_.IdleTicked()};
  f.condition = ConditionOf(NeedKind(), view_.Text(TextField::NeedTarget),
                            view_.Text(TextField::NeedLimit), view_.SkipAtLimitTicked());
  result.p_time = p_time_;
  result.once_check = once_check_;
  return result;
}

void ItemDialogPresenter::SetTimeValue(TimeField field, int value) {
  view_.SetTimeText(field, TimeFieldText(field, value));
}

int ItemDialogPresenter::TimeValue(TimeField field) {
  return ClampTimeValue(field, ParseTimeText(view_.TimeText(field)));
}

void ItemDialogPresenter::SetTimeToNow(TimeField hour, TimeField minute) {
  const LocalTime now = clock_.Now();
  SetTimeValue(hour, now.hour);
  SetTimeValue(minute, now.minute);
}
