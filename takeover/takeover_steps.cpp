#include "takeover/takeover_steps.h"

#include "core/running_check.h"
#include "platform/text_format.h"
#include "takeover/takeover_texts.h"

namespace t = takeover_texts;

namespace {

constexpr char kUserKey[] = "HKEY_CURRENT_USER\\";

std::string Quoted(const std::string& place) {
  return "「" + place + "」";
}

}  // namespace

std::string GivenBackText(const StartupEntry& entry) {
  const std::string place = entry.place == EntryPlace::AdoptedFile
                                ? Quoted(entry.origin)
                                : t::kRegistryKeyWord + Quoted(kUserKey + std::string(kRunKeyPath));
  return FormatText(t::kGivenBack, entry.name) + place + "\r\n" + t::kGivenBackUndo;
}

std::string AdoptedText(const StartupEntry& entry, const std::string& adopted_folder) {
  const std::string place =
      entry.place == EntryPlace::UserStartup
          ? t::kFolderWord + Quoted(adopted_folder)
          : t::kRegistryKeyWord + Quoted(kUserKey + std::string(kAdoptedValuesPath));
  return FormatText(t::kAdopted, entry.name) + place + t::kAdoptedUndo;
}

bool PointRowAtOrigin(const StartupEntry& entry, ItemStore& store, int row) {
  if (entry.place != EntryPlace::AdoptedFile || entry.origin.empty()) return false;
  LaunchItem& item = store.Row(row);
  const std::string& file = item.file;
  const bool quoted = file.size() >= 2 && file.front() == '"' && file.back() == '"';
  if (!SamePath(quoted ? file.substr(1, file.size() - 2) : file, entry.path)) return false;
  item.file = entry.origin;
  return true;
}

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
