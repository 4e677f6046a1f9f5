#include "takeover/repair.h"

#include <exception>
#include <optional>

#include "core/running_check.h"
#include "platform/text_format.h"
#include "takeover/checked_steps.h"
#include "takeover/kept_records.h"
#include "takeover/takeover_texts.h"
#include "takeover/unlisted.h"

namespace t = takeover_texts;

namespace {

constexpr Hive kUser = Hive::CurrentUser;

bool SameValue(const RawValue& a, const RawValue& b) {
  return a.type == b.type && a.data == b.data;
}

void RepairValue(EntrySources sources, const RawValue& kept, const std::vector<LaunchItem>& rows,
                 std::vector<std::string>& lines) {
  RawRegistry& registry = sources.registry;
  TakeoverEntry entry = RunValueEntry(sources, kept);
  const bool has_row = RowOfEntry(entry, rows) >= 0;
  const std::optional<RawValue> there = FindValue(registry, kUser, kRunKeyPath, kept.name);
  if (there && !SameValue(*there, kept)) {
    if (!has_row) lines.push_back(FormatText(t::kRepairPlaceTaken, kept.name));
    return;
  }
  if (there && has_row) {
    lines.push_back(FormatText(DeleteChecked(registry, kUser, kRunKeyPath, kept.name)
                                   ? t::kRepairStaysTakenOver
                                   : t::kRepairFailed,
                               kept.name));
  } else if (there) {
    lines.push_back(FormatText(DeleteChecked(registry, kUser, kKeptValuesPath, kept.name)
                                   ? t::kRepairRecordDropped
                                   : t::kRepairFailed,
                               kept.name));
  } else if (!has_row && !IsUnlisted(registry, EntryPlace::KeptValue, kept.name)) {
    const bool back = PutExactly(registry, kUser, kRunKeyPath, kept);
    if (back && DeleteChecked(registry, kUser, kKeptValuesPath, kept.name)) {
      lines.push_back(FormatText(t::kRepairGivenBack, kept.name));
    } else {
      // Kept in one place only, never in two.
      if (back) TryStep([&] { registry.Delete(kUser, kRunKeyPath, kept.name); });
      lines.push_back(FormatText(t::kRepairFailed, kept.name));
    }
  }
}

// A copy cut short by a kill holds the first bytes of the whole one.
bool PartOf(const std::string& part, const std::string& whole) {
  return whole.starts_with(part);
}

void RepairFile(EntrySources sources, const EntryLocations& locations, const RawValue& record,
                const std::vector<LaunchItem>& rows, std::vector<std::string>& lines) {
  FileStore& files = sources.files;
  RawRegistry& registry = sources.registry;
  TakeoverEntry entry;
  entry.name = record.name;
  entry.origin = record.data.substr(0, record.data.find('\0'));
  // A record that leads outside its folders is input nobody may act on; the page names it.
  if (!IsPlainFileName(entry.name) || !IsFileInFolder(entry.origin, locations.user_startup)) return;
  entry.path = locations.kept_folder + entry.name;
  const std::optional<std::string> copy = files.Read(entry.path);
  const std::optional<std::string> origin = files.Read(entry.origin);
  const auto drop_record = [&] {
    return DeleteChecked(registry, kUser, kKeptFilesPath, entry.name);
  };
  if (!copy) {
    if (files.Exists(entry.path)) return;  // there but unreadable: nothing is known
    if (origin)
      lines.push_back(
          FormatText(drop_record() ? t::kRepairRecordDropped : t::kRepairFailed, entry.name));
    return;  // without copy and original it can only be forgotten, from the page
  }
  DescribeStartupFile(sources, entry);
  const bool has_row = RowOfEntry(entry, rows) >= 0;
  if (origin && has_row) {
    if (PartOf(*origin, *copy))
      lines.push_back(FormatText(
          DeleteFileChecked(files, entry.origin) ? t::kRepairStaysTakenOver : t::kRepairFailed,
          entry.name));
    return;
  }
  if (origin) {
    if (!PartOf(*copy, *origin)) {
      lines.push_back(FormatText(t::kRepairPlaceTaken, entry.name));
      return;
    }
    const bool dropped = DeleteFileChecked(files, entry.path) && drop_record();
    lines.push_back(FormatText(dropped ? t::kRepairRecordDropped : t::kRepairFailed, entry.name));
    return;
  }
  if (has_row || IsUnlisted(registry, EntryPlace::KeptFile, entry.name)) return;
  std::string reason;
  if (!CreateExactly(files, entry.origin, *copy, entry.path, reason)) {
    if (const auto part = files.Read(entry.origin); part && PartOf(*part, *copy))
      TryStep([&] { files.Delete(entry.origin); });
    lines.push_back(FormatText(t::kRepairFailed, entry.name));
    return;
  }
  if (!drop_record()) {
    TryStep([&] { files.Delete(entry.origin); });
    lines.push_back(FormatText(t::kRepairFailed, entry.name));
    return;
  }
  TryStep([&] { files.Delete(entry.path); });
  lines.push_back(FormatText(t::kRepairGivenBack, entry.name));
}

bool HasRecord(const std::vector<RawValue>& records, const std::string& name) {
  for (const RawValue& record : records)
    if (SamePath(record.name, name)) return true;
  return false;
}

// Copies without a record, left by a giving back cut short after its record went: removed
// only when the user's Startup folder holds the same bytes, so that nothing is lost.
void RemoveStrayCopies(EntrySources sources, const EntryLocations& locations,
                       const std::vector<RawValue>& records, std::vector<std::string>& lines) {
  FileStore& files = sources.files;
  std::string folder = locations.kept_folder;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  std::vector<FolderFile> startup;
  for (const FolderFile& stray : files.FileNames(folder)) {
    if (!stray.exact || HasRecord(records, stray.name) || !IsPlainFileName(stray.name)) continue;
    const std::string path = locations.kept_folder + stray.name;
    const std::optional<std::string> bytes = files.Read(path);
    if (!bytes) continue;
    if (startup.empty()) startup = files.FileNames(locations.user_startup);
    for (const FolderFile& original : startup) {
      if (!original.exact) continue;
      const std::string origin = locations.user_startup + "\\" + original.name;
      if (files.Read(origin) == bytes && DeleteFileChecked(files, path)) {
        lines.push_back(FormatText(t::kRepairStrayCopy, stray.name));
        break;
      }
    }
  }
}

}  // namespace

std::vector<std::string> RepairTakeOver(EntrySources sources, const EntryLocations& locations,
                                        const std::vector<LaunchItem>& rows) {
  std::vector<std::string> lines;
  std::vector<RawValue> values, records;
  try {
    values = sources.registry.Values(kUser, kKeptValuesPath);
    records = sources.registry.Values(kUser, kKeptFilesPath);
  } catch (const std::exception&) {
    return lines;  // what cannot be read is left as it is
  }
  for (const RawValue& kept : values) {
    try {
      RepairValue(sources, kept, rows, lines);
    } catch (const std::exception&) {
      lines.push_back(FormatText(t::kRepairFailed, kept.name));
    }
  }
  if (!locations.user_startup.empty()) {
    for (const RawValue& record : records) {
      try {
        RepairFile(sources, locations, record, rows, lines);
      } catch (const std::exception&) {
        lines.push_back(FormatText(t::kRepairFailed, record.name));
      }
    }
    TryStep([&] { RemoveStrayCopies(sources, locations, records, lines); });
  }
  return lines;
}
