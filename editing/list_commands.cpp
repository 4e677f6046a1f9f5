#include "editing/list_commands.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "core/texts.h"
#include "items/integer_text.h"
#include "items/store_persistence.h"
#include "platform/text_format.h"
#include "resources/resource_ids.h"

namespace {

// Characters [first, first + count) of the text, as many as there are.
std::string Piece(const std::string& text, size_t first, size_t count) {
  if (first >= text.size()) return {};
  return text.substr(first, count);
}

LaunchItem RowFromDialog(const ItemDialogResult& result, std::string once) {
  LaunchItem row;
  row.title = result.fields.title;
  row.file = result.fields.file;
  row.folder = result.fields.folder;
  row.args = result.fields.args;
  row.state = std::to_string(result.fields.style);
  row.band = result.p_time;
  row.once = std::move(once);
  row.home = result.fields.home;
  row.timing = result.fields.timing;
  row.condition = result.fields.condition;
  return row;
}

}  // namespace

void ListCommands::ShowStore(int selected) {
  view_.ShowRows(store_.Rows());
  view_.Select(selected);
}

bool ListCommands::RefuseWhenFull() {
  if (store_.Size() < kMaxItemRows) return false;
  dialogs_.Show(MessageKind::Warning, BoxButtons::Ok,
                FormatText(texts::kErrListFull, std::to_string(kMaxItemRows)));
  return true;
}

void ListCommands::AddBtnClick() {
  if (RefuseWhenFull()) return;
  ItemDialogFields initial;
  initial.style = 0;
  initial.once = false;
  initial.start_hour = 0;
  initial.start_minute = 0;
  initial.end_hour = 23;
  initial.end_minute = 59;
  const std::optional<ItemDialogResult> result = dialog_.Run(initial);
  if (!result) return;
  const int selected = view_.SelectedIndex();
  LaunchItem row = RowFromDialog(*result, result->once_check + "00/00");
  row.enabled = true;
  store_.Append(std::move(row));
  ShowStore(selected);
  UpdateListButtons();
}

void ListCommands::EditBtnClick() {
  const int index = view_.SelectedIndex();
  if (index < 0 || index >= store_.Size()) {
    dialogs_.Show(MessageKind::Information, BoxButtons::Ok, texts::kSelectFile);
    return;
  }
  const LaunchItem old = store_.Row(index);
  if (IsSeparator(old)) return;

  // Every conversion happens before the dialog opens, so a bad field leaves the row as it was.
  ItemDialogFields initial;
  initial.title = old.title;
  initial.file = old.file;
  initial.folder = old.folder;
  initial.args = old.args;
  initial.home = old.home;
  initial.style = old.state->number.Value();
  initial.start_hour = IntegerOrThrow(Piece(old.band, 0, 2));
  initial.start_minute = IntegerOrThrow(Piece(old.band, 2, 2));
  initial.end_hour = IntegerOrThrow(Piece(old.band, 4, 2));
  initial.end_minute = IntegerOrThrow(Piece(old.band, 6, 2));
  initial.once = old.once->flag.Value() % 2 != 0;
  initial.timing = old.timing;
  initial.condition = old.condition;

  const std::optional<ItemDialogResult> result = dialog_.Run(initial);
  if (!result) return;
  // The date of the last run survives an edit; only the flag digit comes from the dialog.
  LaunchItem row = RowFromDialog(*result, result->once_check + old.once->date);
  // A state outside the drop-down's choices (a hand-edited file) leaves nothing selected;
  // storing that as "-1" would later launch the item hidden, so the row keeps its own.
  if (result->fields.style < 0) row.state = old.state;
  row.enabled = old.enabled;
  store_.Replace(index, std::move(row));
  ShowStore(index);
  UpdateListButtons();
}

void ListCommands::DeleteBtnClick() {
  const int index = view_.SelectedIndex();
  if (index < 0 || index >= store_.Size()) {
    dialogs_.Show(MessageKind::Information, BoxButtons::Ok, texts::kSelectFile);
    return;
  }
  system_.Beep();
  if (taken_over_ && taken_over_->IsTakenOver(index)) {
    DeleteTakenOverRow(index);
  } else if (dialogs_.AskYesNo(MessageKind::Warning, texts::kDeleteQuestion)) {
    store_.Delete(index);
    ShowStore(-1);
  }
  UpdateListButtons();
}

void ListCommands::DeleteTakenOverRow(int index) {
  const std::string question = FormatText(texts::kDeleteTakenOverQuestion, store_.Row(index).title);
  switch (dialogs_.Show(MessageKind::Warning, BoxButtons::YesNoCancel, question)) {
    case BoxAnswer::Yes:
      taken_over_->GiveBackAndRemove(index);
      break;
    case BoxAnswer::No:
      if (!taken_over_->KeepWithoutRow(index)) break;
      store_.Delete(index);
      ShowStore(-1);
      dialogs_.Show(MessageKind::Information, BoxButtons::Ok, texts::kTakenOverRowDeleted);
      break;
    default:
      break;
  }
}

void ListCommands::SeparatorBtnClick() {
  if (RefuseWhenFull()) return;
  const int selected = view_.SelectedIndex();
  store_.Append(SeparatorRow());
  ShowStore(selected);
  UpdateListButtons();
}

void ListCommands::MoveUpClick() {
  MoveItemRow(-1);
}

void ListCommands::MoveDownClick() {
  MoveItemRow(+1);
}

void ListCommands::MoveItemRow(int step) {
  try {
    const int index = view_.SelectedIndex();
    if (index < 0 || index >= store_.Size()) return;
    if (!store_.Move(index, step)) return;
    // Rows move whole, so the moved row carries its own flag and the neighbour keeps its own.
    ShowStore(index + step);
  } catch (const std::exception&) {
    // A move that cannot happen is simply not done.
  }
}

void ListCommands::RunBtnClick() {
  const int index = view_.SelectedIndex();
  if (index < 0 || index >= store_.Size()) return;
  const LaunchItem row = store_.Row(index);
  if (IsSeparator(row)) return;
  if (!dialogs_.AskYesNo(MessageKind::Information, row.title + texts::kRunQuestionSuffix)) return;
  // Wraps instead of overflowing for an absurd state text; the shell ignores such a value.
  const int show_command = ShowCommandOf(row.state);
  if (!launcher_.LaunchFile(row.file, row.args, row.folder, show_command))
    dialogs_.Show(MessageKind::Warning, BoxButtons::Ok, texts::kErrLaunchTooLong);
}

void ListCommands::AllOKClick() {
  SetAllEnabled(true);
}

void ListCommands::AllNGClick() {
  SetAllEnabled(false);
}

void ListCommands::SetAllEnabled(bool enabled) {
  const int selected = view_.SelectedIndex();
  for (int i = 0; i < store_.Size(); ++i) store_.Row(i).enabled = enabled;
  ShowStore(selected);
}

void ListCommands::SetRowEnabled(int index, bool enabled) {
  // The list already shows the user's tick; only the store has to follow.
  if (index < 0 || index >= store_.Size()) return;
  store_.Row(index).enabled = enabled;
}

void ListCommands::UpdateListButtons() {
  bool any_title = false;
  for (const LaunchItem& row : store_.Rows()) {
    if (!row.title.empty()) {
      any_title = true;
      break;
    }
  }
  view_.EnableRowButtons(any_title);
}

void ListCommands::RegisterWith(CommandTarget& window) {
  window.SetCommandHandler(IDC_ADD_BTN, [this] { AddBtnClick(); });
  window.SetCommandHandler(IDC_EDIT_BTN, [this] { EditBtnClick(); });
  window.SetCommandHandler(IDC_DELETE_BTN, [this] { DeleteBtnClick(); });
  window.SetCommandHandler(IDC_SEPARATOR_BTN, [this] { SeparatorBtnClick(); });
  window.SetCommandHandler(IDC_MOVE_UP_BTN, [this] { MoveUpClick(); });
  window.SetCommandHandler(IDC_MOVE_DOWN_BTN, [this] { MoveDownClick(); });
  window.SetCommandHandler(IDC_RUN_BTN, [this] { RunBtnClick(); });
  window.SetCommandHandler(IDM_ALL_OK, [this] { AllOKClick(); });
  window.SetCommandHandler(IDM_ALL_NG, [this] { AllNGClick(); });
  window.SetCommandHandler(IDM_MOVE_UP, [this] { MoveUpClick(); });
  window.SetCommandHandler(IDM_MOVE_DOWN, [this] { MoveDownClick(); });
  view_.SetEventHandlers(ListEventHandlers{
      [this](int row, bool checked) { SetRowEnabled(row, checked); },
      [this] { EditBtnClick(); },
      [this] { TitleListEnter(); },
  });
}
