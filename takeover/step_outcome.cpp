#include "takeover/step_outcome.h"

#include "core/running_check.h"
#include "platform/text_format.h"
#include "shell/takeover_texts.h"

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
