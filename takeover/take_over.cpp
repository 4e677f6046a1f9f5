#include "takeover/take_over.h"

#include <exception>
#include <optional>

#include "core/running_check.h"
#include "platform/app_error.h"
#include "platform/text_format.h"
#include "takeover/checked_steps.h"
#include "takeover/kept_records.h"
#include "takeover/takeover_texts.h"
#include "takeover/unlisted.h"

namespace t = takeover_texts;

namespace {

constexpr char kUserKey[] = "HKEY_CURRENT_USER\\";

std::string Quoted(const std::string& place) {
  return "「" + place + "」";
}

bool IsText(const RawValue& value) {
  return value.type == kRegText || value.type == kRegExpandText;
}

}  // namespace

bool Takeover::Fail(const char* pattern, const std::string& name, const std::string& reason) {
  dialogs_.Show(MessageKind::Warning, BoxButtons::Ok, FormatText(pattern, name) + "\r\n" + reason);
  return false;
}

bool Takeover::TakeOver(const TakeoverEntry& entry) {
  if (!CanTakeOver(entry)) return false;
  return entry.place == EntryPlace::UserRun ? TakeOverValue(entry) : TakeOverFile(entry);
}

bool Takeover::GiveBack(const TakeoverEntry& entry, RowAfterGiveBack after, int row) {
  after_ = after;
  after_row_ = row;
  if (entry.place == EntryPlace::KeptValue) return GiveBackValue(entry);
  if (entry.place == EntryPlace::KeptFile) return GiveBackFile(entry);
  return false;
}

bool Takeover::StoreRow(const LaunchItem& row) {
  list_.store.Append(row);
  if (list_.save()) {
    list_.changed();
    return true;
  }
  list_.store.Delete(list_.store.Size() - 1);
  list_.changed();
  return false;
}

bool Takeover::TakeOverValue(const TakeoverEntry& entry) {
  RawRegistry& registry = sources_.registry;
  const Hive user = Hive::CurrentUser;
  // What is there now is what gets kept, not what the page showed earlier.
  std::optional<RawValue> live;
  if (!TryStep([&] { live = FindValue(registry, user, kRunKeyPath, entry.value.name); }) || !live ||
      !IsText(*live))
    return Fail(t::kTakeOverFailed, entry.name, t::kGone);
  const TakeoverEntry now = RunValueEntry(sources_, *live);
  if (IsBrokenCommand(now, sources_.files))
    return Fail(t::kTakeOverFailed, entry.name, t::kBrokenCommand);
  // A record of that name holds an earlier original, which must not be written over.
  std::optional<RawValue> kept;
  if (!TryStep([&] { kept = FindValue(registry, user, kKeptValuesPath, live->name); }) || kept)
    return Fail(t::kTakeOverFailed, entry.name, t::kAlreadyKept);
  // Kept first, so that the value exists somewhere at every moment; a kill from here on leaves
  // a record without a row, which the next start gives back (unless an old mark said no row
  // was wanted).
  DropUnlistedMark(registry, EntryPlace::KeptValue, live->name);
  if (!PutExactly(registry, user, kKeptValuesPath, *live)) {
    TryStep([&] { registry.Delete(user, kKeptValuesPath, live->name); });
    return Fail(t::kTakeOverFailed, entry.name, t::kNotRecorded);
  }
  if (!HoldsExactly(registry, user, kRunKeyPath, *live)) {
    TryStep([&] { registry.Delete(user, kKeptValuesPath, live->name); });
    return Fail(t::kTakeOverFailed, entry.name, t::kChanged);
  }
  if (!DeleteChecked(registry, user, kRunKeyPath, live->name)) {
    TryStep([&] { registry.Delete(user, kKeptValuesPath, live->name); });
    return Fail(t::kTakeOverFailed, entry.name, t::kNotRemoved);
  }
  if (StoreRow(RowFromEntry(now))) return true;
  if (PutExactly(registry, user, kRunKeyPath, *live)) {
    TryStep([&] { registry.Delete(user, kKeptValuesPath, live->name); });
    return Fail(t::kTakeOverFailed, entry.name, t::kRowNotStored);
  }
  dialogs_.Show(MessageKind::Warning, BoxButtons::Ok, FormatText(t::kStaysTakenOver, entry.name));
  return false;
}

std::string Takeover::FreeKeptName(const std::string& name) {
  // Neither a kept copy nor a record of the name, even one whose copy is gone.
  std::vector<RawValue> records;
  if (!TryStep([&] { records = sources_.registry.Values(Hive::CurrentUser, kKeptFilesPath); }))
    return {};
  const auto free = [&](const std::string& candidate) {
    for (const RawValue& record : records)
      if (SamePath(record.name, candidate)) return false;
    return !sources_.files.Exists(kept_folder_ + candidate);
  };
  if (free(name)) return name;
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  for (int n = 2;; ++n) {
    const std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
    if (free(candidate)) return candidate;
  }
}

bool Takeover::TakeOverFile(const TakeoverEntry& entry) {
  FileStore& files = sources_.files;
  RawRegistry& registry = sources_.registry;
  const auto bytes = files.Read(entry.path);
  if (!bytes)
    return Fail(t::kTakeOverFailed, entry.name, files.Exists(entry.path) ? t::kNotRead : t::kGone);
  TakeoverEntry now = entry;
  DescribeStartupFile(sources_, now);
  try {
    files.MakeFolder(kept_folder_);
  } catch (const AppError& error) {
    return Fail(t::kTakeOverFailed, entry.name, error.what());
  }
  const std::string kept_name = FreeKeptName(entry.name);
  if (kept_name.empty()) return Fail(t::kTakeOverFailed, entry.name, t::kNotRecorded);
  const std::string kept = kept_folder_ + kept_name;
  // The record first: a copy without one could not be told from a stray file. A kill from here
  // on leaves a record whose original is still in place, or one without a row, both of which
  // the next start puts right.
  const auto forget = [&] {
    TryStep([&] { files.Delete(kept); });
    TryStep([&] { registry.Delete(Hive::CurrentUser, kKeptFilesPath, kept_name); });
  };
  DropUnlistedMark(registry, EntryPlace::KeptFile, kept_name);
  if (!PutExactly(registry, Hive::CurrentUser, kKeptFilesPath, PathRecord(kept_name, entry.path))) {
    forget();
    return Fail(t::kTakeOverFailed, entry.name, t::kNotRecorded);
  }
  std::string reason = t::kNotCopied;
  if (!CreateExactly(files, kept, *bytes, entry.path, reason)) {
    forget();
    return Fail(t::kTakeOverFailed, entry.name, reason);
  }
  if (files.Read(entry.path) != bytes) {
    forget();
    return Fail(t::kTakeOverFailed, entry.name, t::kChanged);
  }
  if (!DeleteFileChecked(files, entry.path)) {
    forget();
    return Fail(t::kTakeOverFailed, entry.name, t::kNotRemoved);
  }
  if (now.file == entry.path) now.file = kept;  // a plain file now starts from its new place
  if (StoreRow(RowFromEntry(now))) return true;
  if (CreateExactly(files, entry.path, *bytes, kept, reason)) {
    forget();
    return Fail(t::kTakeOverFailed, entry.name, t::kRowNotStored);
  }
  // A part written back is worth nothing beside the whole kept copy.
  if (const auto part = files.Read(entry.path); part && bytes->starts_with(*part))
    TryStep([&] { files.Delete(entry.path); });
  dialogs_.Show(MessageKind::Warning, BoxButtons::Ok, FormatText(t::kStaysTakenOver, entry.name));
  return false;
}

// Put back first and the record deleted last: a kill in between leaves the entry in both
// places, which the next start settles by the row, so that it is never started twice.
bool Takeover::GiveBackValue(const TakeoverEntry& entry) {
  RawRegistry& registry = sources_.registry;
  const Hive user = Hive::CurrentUser;
  std::optional<RawValue> there;
  std::optional<RawValue> kept;
  if (!TryStep([&] {
        there = FindValue(registry, user, kRunKeyPath, entry.value.name);
        kept = FindValue(registry, user, kKeptValuesPath, entry.value.name);
      }))
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRestored);
  if (!kept) return Fail(t::kGiveBackFailed, entry.name, t::kGone);
  if (there && (there->type != kept->type || there->data != kept->data))
    return Fail(t::kGiveBackFailed, entry.name, t::kNameTaken);
  if (!PutExactly(registry, user, kRunKeyPath, *kept)) {
    if (!there) TryStep([&] { registry.Delete(user, kRunKeyPath, kept->name); });
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRestored);
  }
  const std::string notice = SettleRow(entry);
  if (!DeleteChecked(registry, user, kKeptValuesPath, kept->name)) {
    // Kept in both places, it would be started twice.
    if (!there) TryStep([&] { registry.Delete(user, kRunKeyPath, kept->name); });
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRecorded);
  }
  DropUnlistedMark(registry, EntryPlace::KeptValue, kept->name);
  if (!notice.empty()) dialogs_.Show(MessageKind::Information, BoxButtons::Ok, notice);
  return true;
}

bool Takeover::GiveBackFile(const TakeoverEntry& entry) {
  FileStore& files = sources_.files;
  RawRegistry& registry = sources_.registry;
  // The record is input: its name must stay inside the kept folder and its origin must be a
  // file of its own.
  const size_t slash = entry.origin.rfind('\\');
  if (entry.flaw == EntryFlaw::BadRecord || !IsPlainFileName(entry.name) ||
      entry.path != kept_folder_ + entry.name || slash == std::string::npos ||
      !IsPlainFileName(entry.origin.substr(slash + 1)))
    return Fail(t::kGiveBackFailed, entry.name, t::kBadRecord);
  const auto bytes = files.Read(entry.path);
  if (!bytes && !files.Exists(entry.path)) return OfferForgetting(entry);
  if (!bytes) return Fail(t::kGiveBackFailed, entry.name, t::kNotRead);
  if (files.Exists(entry.origin)) return Fail(t::kGiveBackFailed, entry.name, t::kNameTaken);
  std::string reason = t::kNotRestored;
  if (!CreateExactly(files, entry.origin, *bytes, entry.path, reason)) {
    TryStep([&] { files.Delete(entry.origin); });
    return Fail(t::kGiveBackFailed, entry.name, reason);
  }
  const std::string notice = SettleRow(entry);
  if (!DeleteChecked(registry, Hive::CurrentUser, kKeptFilesPath, entry.name)) {
    TryStep([&] { files.Delete(entry.origin); });
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRecorded);
  }
  // Without its record the kept copy is only a leftover, which the next start removes.
  TryStep([&] { files.Delete(entry.path); });
  DropUnlistedMark(registry, EntryPlace::KeptFile, entry.name);
  if (!notice.empty()) dialogs_.Show(MessageKind::Information, BoxButtons::Ok, notice);
  return true;
}

void Takeover::KeepWithoutRow(const TakeoverEntry& kept) {
  MarkUnlisted(sources_.registry, kept.place,
               kept.place == EntryPlace::KeptFile ? kept.name : kept.value.name);
}

bool Takeover::OfferForgetting(const TakeoverEntry& entry) {
  if (!dialogs_.AskYesNo(MessageKind::Warning, FormatText(t::kForgetQuestion, entry.name)))
    return false;
  if (!DeleteChecked(sources_.registry, Hive::CurrentUser, kKeptFilesPath, entry.name))
    return Fail(t::kGiveBackFailed, entry.name, t::kNotRecorded);
  DropUnlistedMark(sources_.registry, EntryPlace::KeptFile, entry.name);
  return true;
}

std::string Takeover::SettleRow(const TakeoverEntry& entry) {
  if (after_ == RowAfterGiveBack::Leave) return {};
  const std::string given_back = GivenBackText(entry);
  const int row = after_row_ >= 0 ? after_row_ : RowOfEntry(entry, list_.store.Rows());
  if (row < 0 || row >= list_.store.Size()) return given_back;
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
  list_.changed();
  if (after_ != RowAfterGiveBack::Remove) return {};
  return saved ? given_back + "\r\n" + FormatText(t::kRowRemoved, title) : given_back;
}

std::string KeptText(const TakeoverEntry& entry, const std::string& kept_folder) {
  const std::string place =
      entry.place == EntryPlace::UserStartup
          ? t::kFolderWord + Quoted(kept_folder)
          : t::kRegistryKeyWord + Quoted(kUserKey + std::string(kKeptValuesPath));
  return FormatText(t::kKept, entry.name) + place + t::kKeptUndo;
}

std::string GivenBackText(const TakeoverEntry& entry) {
  const std::string place = entry.place == EntryPlace::KeptFile
                                ? Quoted(entry.origin)
                                : t::kRegistryKeyWord + Quoted(kUserKey + std::string(kRunKeyPath));
  return FormatText(t::kGivenBack, entry.name) + place + "\r\n" + t::kGivenBackUndo;
}

bool PointRowAtOrigin(const TakeoverEntry& entry, ItemStore& store, int row) {
  if (entry.place != EntryPlace::KeptFile || entry.origin.empty()) return false;
  LaunchItem& item = store.Row(row);
  const std::string& file = item.file;
  const bool quoted = file.size() >= 2 && file.front() == '"' && file.back() == '"';
  if (!SamePath(quoted ? file.substr(1, file.size() - 2) : file, entry.path)) return false;
  item.file = entry.origin;
  return true;
}
