#include "shell/takeover_steps.h"

#include "shell/takeover_texts.h"

namespace t = takeover_texts;

bool TakeoverSteps::ReadyToChange() {
  if (!list_.unsaved()) return true;
  if (!dialogs_.AskYesNo(MessageKind::Confirmation, t::kSaveBeforeStep)) return false;
  return list_.save();
}

bool TakeoverSteps::Adopt(const StartupEntry& entry) {
  if (!CanAdopt(entry) || !ReadyToChange() || !adoption_.Adopt(entry)) return false;
  dialogs_.Show(MessageKind::Information, BoxButtons::Ok, AdoptedText(entry, adopted_folder_));
  return true;
}

bool TakeoverSteps::GiveBack(const StartupEntry& entry) {
  return IsAdopted(entry) && ReadyToChange() && adoption_.GiveBack(entry);
}

void TakeoverSteps::GiveBackAndRemove(int row) {
  const std::optional<StartupEntry> entry = EntryOfRow(row);
  if (entry && ReadyToChange()) adoption_.GiveBack(*entry, RowAfterGiveBack::Remove, row);
}

std::optional<StartupEntry> TakeoverSteps::EntryOfRow(int row) {
  if (row < 0 || row >= list_.store.Size()) return std::nullopt;
  for (const StartupEntry& entry : list_.adopted())
    if (RowOfEntry(entry, {list_.store.Row(row)}) == 0) return entry;
  return std::nullopt;
}
