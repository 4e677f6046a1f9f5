#include "takeover/takeover_steps.h"

#include "core/running_check.h"
#include "platform/text_format.h"
#include "takeover/takeover_texts.h"

namespace t = takeover_texts;

bool TakeoverSteps::ReadyToChange() {
  if (!list_.unsaved()) return true;
  if (!dialogs_.AskYesNo(MessageKind::Confirmation, t::kSaveBeforeStep)) return false;
  return list_.save();
}

bool TakeoverSteps::TakeOver(const TakeoverEntry& entry) {
  if (!CanTakeOver(entry) || !ReadyToChange() || !takeover_.TakeOver(entry)) return false;
  dialogs_.Show(MessageKind::Information, BoxButtons::Ok, KeptText(entry, kept_folder_));
  return true;
}

bool TakeoverSteps::GiveBack(const TakeoverEntry& entry) {
  return IsKept(entry) && ReadyToChange() && takeover_.GiveBack(entry);
}

void TakeoverSteps::GiveBackAndRemove(int row) {
  const std::optional<TakeoverEntry> entry = EntryOfRow(row);
  if (entry && ReadyToChange()) takeover_.GiveBack(*entry, RowAfterGiveBack::Remove, row);
}

bool TakeoverSteps::KeepWithoutRow(int row) {
  const std::optional<TakeoverEntry> entry = EntryOfRow(row);
  if (!entry) return true;
  try {
    takeover_.KeepWithoutRow(*entry);
    return true;
  } catch (const std::exception& error) {
    dialogs_.ShowError(error);
    return false;
  }
}

std::optional<TakeoverEntry> TakeoverSteps::EntryOfRow(int row) {
  if (row < 0 || row >= list_.store.Size()) return std::nullopt;
  for (const TakeoverEntry& entry : list_.kept())
    if (RowOfEntry(entry, {list_.store.Row(row)}) == 0) return entry;
  return std::nullopt;
}
