#include "shell/adoption.h"

#include <exception>
#include <optional>

#include "core/running_check.h"
#include "platform/app_error.h"
#include "platform/text_format.h"
#include "shell/takeover_steps.h"
#include "shell/takeover_texts.h"

namespace t = takeover_texts;

namespace {

// Value names are compared as the registry does, without regard to case.
std::optional<RawValue> FindValue(RawRegistry& registry, Hive hive, const std::string& path,
                                  const std::string& name) {
  for (RawValue& value : registry.Values(hive, path))
    if (SamePath(value.name, name)) return std::move(value);
  return std::nullopt;
}

bool HoldsExactly(RawRegistry& registry, Hive hive, const std::string& path,
                  const RawValue& value) {
  try {
    const auto found = FindValue(registry, hive, path, value.name);
    return found && found->type == value.type && found->data == value.data;
  } catch (const std::exception&) {
    return false;
  }
}

bool Gone(RawRegistry& registry, Hive hive, const std::string& path, const std::string& name) {
  try {
    return !FindValue(registry, hive, path, name);
  } catch (const std::exception&) {
    return false;
  }
}

// Undoing a step is worth trying even when it fails: what it leaves is still kept somewhere.
template <typename Step>
bool TryStep(Step step) {
  try {
    step();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// Writes the value and reads it back: true only when the registry holds exactly it.
bool PutExactly(RawRegistry& registry, Hive hive, const std::string& path, const RawValue& value) {
  return TryStep([&] { registry.Put(hive, path, value); }) &&
         HoldsExactly(registry, hive, path, value);
}

bool DeleteChecked(RawRegistry& registry, Hive hive, const std::string& path,
                   const std::string& name) {
  return TryStep([&] { registry.Delete(hive, path, name); }) && Gone(registry, hive, path, name);
}

// Writes a new file and reads it back; a failed write leaves its reason in `reason`.
bool CreateExactly(FileStore& files, const std::string& path, const std::string& bytes,
                   std::string& reason) {
  try {
    files.Create(path, bytes);
  } catch (const std::exception& error) {
    reason = error.what();
  }
  return files.Read(path) == bytes;
}

RawValue PathRecord(const std::string& name, const std::string& origin) {
  return RawValue{name, kRegText, origin + std::string(1, '\0')};
}

}  // namespace

bool Adoption::Fail(const char* pattern, const std::string& name, const std::string& reason) {
  dialogs_.Show(MessageKind::Warning, BoxButtons::Ok, FormatText(pattern, name) + "\r\n" + reason);
  return false;
}

bool Adoption::Adopt(const StartupEntry& entry) {
  if (!CanAdopt(entry)) return false;
  return entry.place == EntryPlace::UserRun ? AdoptValue(entry) : AdoptFile(entry);
}

bool Adoption::GiveBack(const StartupEntry& entry, RowAfterGiveBack after, int row) {
  after_ = after;
  after_row_ = row;
  if (entry.place == EntryPlace::AdoptedValue) return GiveBackValue(entry);
  if (entry.place == EntryPlace::AdoptedFile) return GiveBackFile(entry);
  return false;
}

bool Adoption::StoreRow(const LaunchItem& row) {
  list_.store.Append(row);
  if (list_.save()) {
    list_.changed();
    return true;
  }
  list_.store.Delete(list_.store.Size() - 1);
  list_.changed();
  return false;
}

bool Adoption::AdoptValue(const StartupEntry& entry) {
  RawRegistry& registry = sources_.registry;
  const Hive user = Hive::CurrentUser;
  // A record of that name holds an earlier original, which must not be written over.
  std::optional<RawValue> kept;
  if (!TryStep([&] { kept = FindValue(registry, user, kAdoptedValuesPath, entry.value.name); }) ||
      kept)
    return Fail(t::kAdoptFailed, entry.name, t::kAlreadyKept);
  // Kept first, so that the value exists somewhere at every moment.
  if (!PutExactly(registry, user, kAdoptedValuesPath, entry.value)) {
    TryStep([&] { registry.Delete(user, kAdoptedValuesPath, entry.value.name); });
    return Fail(t::kAdoptFailed, entry.name, t::kNotRecorded);
  }
  if (!DeleteChecked(registry, user, kRunKeyPath, entry.value.name)) {
    TryStep([&] { registry.Delete(user, kAdoptedValuesPath, entry.value.name); });
    return Fail(t::kAdoptFailed, entry.name, t::kNotRemoved);
  }
  if (StoreRow(RowFromEntry(entry))) return true;
  if (PutExactly(registry, user, kRunKeyPath, entry.value)) {
    TryStep([&] { registry.Delete(user, kAdoptedValuesPath, entry.value.name); });
    return Fail(t::kAdoptFailed, entry.name, t::kRowNotStored);
  }
  dialogs_.Show(MessageKind::Warning, BoxButtons::Ok, FormatText(t::kKeptAsAdopted, entry.name));
  return false;
}

std::string Adoption::FreeAdoptedName(const std::string& name) {
  if (!sources_.files.Exists(adopted_folder_ + name)) return name;
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  for (int n = 2;; ++n) {
    const std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
    if (!sources_.files.Exists(adopted_folder_ + candidate)) return candidate;
  }
}

bool Adoption::AdoptFile(const StartupEntry& entry) {
  FileStore& files = sources_.files;
  RawRegistry& registry = sources_.registry;
  const auto bytes = files.Read(entry.path);
  if (!bytes) return Fail(t::kAdoptFailed, entry.name, t::kNotRead);
  try {
    files.MakeFolder(adopted_folder_);
  } catch (const AppError& error) {
    return Fail(t::kAdoptFailed, entry.name, error.what());
  }
  const std::string kept_name = FreeAdoptedName(entry.name);
  const std::string kept = adopted_folder_ + kept_name;
  std::string reason = t::kNotCopied;
  if (!CreateExactly(files, kept, *bytes, reason)) {
    TryStep([&] { files.Delete(kept); });
    return Fail(t::kAdoptFailed, entry.name, reason);
  }
  const auto forget = [&] {
    TryStep([&] { registry.Delete(Hive::CurrentUser, kAdoptedFilesPath, kept_name); });
    TryStep([&] { files.Delete(kept); });
  };
  if (!PutExactly(registry, Hive::CurrentUser, kAdoptedFilesPath,
                  PathRecord(kept_name, entry.path))) {
    forget();
    return Fail(t::kAdoptFailed, entry.name, t::kNotRecorded);
  }
  if (!TryStep([&] { files.Delete(entry.path); }) || files.Exists(entry.path)) {
    forget();
    return Fail(t::kAdoptFailed, entry.name, t::kNotRemoved);
  }
  StartupEntry moved = entry;
  if (moved.file == entry.path) moved.file = kept;  // a plain file now starts from its new place
  if (StoreRow(RowFromEntry(moved))) return true;
  if (CreateExactly(files, entry.path, *bytes, reason)) {
    forget();
    return Fail(t::kAdoptFailed, entry.name, t::kRowNotStored);
  }
  dialogs_.Show(MessageKind::Warning, BoxButtons::Ok, FormatText(t::kKeptAsAdopted, entry.name));
  return false;
}

bool Adoption::GiveBackValue(const StartupEntry& entry) {
  RawRegistry& registry = sources_.registry;
  const Hive user = Hive::CurrentUser;
  std::optional<RawValue> there;
  if (!TryStep([&] { there = FindValue(registry, user, kRunKeyPath, entry.value.name); }))
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRestored);
  if (there && (there->type != entry.value.type || there->data != entry.value.data))
    return Fail(t::kGiveBackFailed, entry.name, t::kNameTaken);
  if (!PutExactly(registry, user, kRunKeyPath, entry.value)) {
    if (!there) TryStep([&] { registry.Delete(user, kRunKeyPath, entry.value.name); });
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRestored);
  }
  if (!DeleteChecked(registry, user, kAdoptedValuesPath, entry.value.name)) {
    // Kept in both places, it would be started twice.
    if (!there) TryStep([&] { registry.Delete(user, kRunKeyPath, entry.value.name); });
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRecorded);
  }
  OfferRowRemoval(entry);
  return true;
}

bool Adoption::GiveBackFile(const StartupEntry& entry) {
  FileStore& files = sources_.files;
  RawRegistry& registry = sources_.registry;
  const auto bytes = files.Read(entry.path);
  if (!bytes) return Fail(t::kGiveBackFailed, entry.name, t::kNotRead);
  if (files.Exists(entry.origin)) return Fail(t::kGiveBackFailed, entry.name, t::kNameTaken);
  std::string reason = t::kNotRestored;
  if (!CreateExactly(files, entry.origin, *bytes, reason)) {
    TryStep([&] { files.Delete(entry.origin); });
    return Fail(t::kGiveBackFailed, entry.name, reason);
  }
  if (!DeleteChecked(registry, Hive::CurrentUser, kAdoptedFilesPath, entry.name)) {
    TryStep([&] { files.Delete(entry.origin); });
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRecorded);
  }
  // Without its record the kept copy is only a leftover; one that stays harms nothing.
  TryStep([&] { files.Delete(entry.path); });
  OfferRowRemoval(entry);
  return true;
}

void Adoption::OfferRowRemoval(const StartupEntry& entry) {
  if (after_ == RowAfterGiveBack::Leave) return;
  const std::string given_back = GivenBackText(entry);
  const int row = after_row_ >= 0 ? after_row_ : RowOfEntry(entry, list_.store.Rows());
  if (row < 0 || row >= list_.store.Size()) {
    dialogs_.Show(MessageKind::Information, BoxButtons::Ok, given_back);
    return;
  }
  const std::string title = list_.store.Row(row).title;
  const bool remove =
      after_ == RowAfterGiveBack::Remove ||
      dialogs_.AskYesNo(MessageKind::Information, given_back + "\r\n\r\n" + t::kKeptRowStartsTwice +
                                                      FormatText(t::kRemoveRowQuestion, title));
  const ItemStore before = list_.store;
  if (remove) list_.store.Delete(row);
  // The kept copy is gone: a row that stays must start the original where it is now.
  const bool repointed = !remove && PointRowAtOrigin(entry, list_.store, row);
  const bool saved = !(remove || repointed) || list_.save();
  if (remove && !saved) {
    // Unsaved, the row would come back at the next load anyway: it keeps showing.
    list_.store = before;
    PointRowAtOrigin(entry, list_.store, row);
  }
  if (after_ == RowAfterGiveBack::Remove)
    dialogs_.Show(MessageKind::Information, BoxButtons::Ok,
                  saved ? given_back + "\r\n" + FormatText(t::kRowRemoved, title) : given_back);
  list_.changed();
}
