#include "takeover/entries.h"

#include <exception>

#include "core/running_check.h"
#include "platform/text_format.h"
#include "takeover/kept_records.h"
#include "takeover/takeover_texts.h"

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// REG_SZ data carries its NUL; the text ends at the first one.
std::string TextOf(const RawValue& value) {
  const size_t nul = value.data.find('\0');
  return nul == std::string::npos ? value.data : value.data.substr(0, nul);
}

// What the system starts for the value: an expandable one with its references replaced.
std::string CommandText(EntrySources sources, const RawValue& value) {
  return value.type == kRegExpandText ? sources.files.Expanded(TextOf(value)) : TextOf(value);
}

bool IsText(const RawValue& value) {
  return value.type == kRegText || value.type == kRegExpandText;
}

bool EndsWithLnk(const std::string& name) {
  return name.size() > 4 && HasAsciiWordAt(name, name.size() - 4, ".lnk");
}

std::string Unquoted(const std::string& file) {
  if (file.size() >= 2 && file.front() == '"' && file.back() == '"')
    return file.substr(1, file.size() - 2);
  return file;
}

std::string CommandOf(const std::string& file, const std::string& arguments) {
  const std::string shown = file.find(' ') != std::string::npos ? "\"" + file + "\"" : file;
  return arguments.empty() ? shown : shown + " " + arguments;
}

// What a registry value starts, as the system reads it.
TakeoverEntry ValueEntry(EntrySources sources, EntryPlace place, const RawValue& value) {
  TakeoverEntry entry;
  entry.place = place;
  entry.name = value.name;
  entry.command = TextOf(value);
  SplitCommand(CommandText(sources, value), entry.file, entry.arguments);
  entry.value = value;
  return entry;
}

void ReadValues(EntrySources sources, Hive hive, const char* path, EntryPlace place,
                const EntryLocations& locations, std::vector<TakeoverEntry>& entries) {
  std::vector<RawValue> values;
  bool writable = false;
  try {
    values = sources.registry.Values(hive, path);
    writable = sources.registry.MayWrite(hive, path);
  } catch (const std::exception&) {
    return;  // a key this user may not read shows nothing
  }
  for (const RawValue& value : values) {
    if (value.name.empty() || !IsText(value)) continue;  // the system starts neither
    TakeoverEntry entry = ValueEntry(sources, place, value);
    entry.read_only = !writable;
    entry.own = SamePath(entry.file, locations.program_file);
    entries.push_back(std::move(entry));
  }
}

// A shortcut shows what it starts; any other file starts itself.
void DescribeFile(EntrySources sources, TakeoverEntry& entry) {
  if (EndsWithLnk(entry.path)) {
    if (const auto link = sources.links.ReadLink(entry.path); link && !link->target.empty()) {
      entry.file = link->target;
      entry.arguments = link->arguments;
      entry.folder = link->folder;
      entry.show_command = link->show_command;
      entry.command = CommandOf(entry.file, entry.arguments);
      return;
    }
  }
  entry.file = entry.path;
  entry.command = CommandOf(entry.path, "");
}

void ReadFolder(EntrySources sources, const std::string& folder, EntryPlace place,
                const EntryLocations& locations, std::vector<TakeoverEntry>& entries) {
  if (folder.empty()) return;
  const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
  for (const FolderFile& found : sources.files.FileNames(folder)) {
    TakeoverEntry entry;
    entry.place = place;
    entry.name = found.name;
    entry.path = prefix + found.name;
    if (found.exact) {
      DescribeFile(sources, entry);
    } else {
      // The spelt name may be another file's: nothing is read or done by it.
      entry.flaw = EntryFlaw::InexactName;
      entry.command = entry.path;
    }
    entry.own = SamePath(entry.file, locations.program_file);
    entry.read_only = place == EntryPlace::CommonStartup;
    entries.push_back(std::move(entry));
  }
}

// Another value of the kept one's name: the same bytes are a giving back cut short, which can
// still be completed.
bool HasOtherValueNamed(const std::vector<RawValue>& values, const RawValue& kept) {
  for (const RawValue& value : values)
    if (SamePath(value.name, kept.name) && (value.type != kept.type || value.data != kept.data))
      return true;
  return false;
}

void ReadKept(EntrySources sources, const EntryLocations& locations,
              std::vector<TakeoverEntry>& entries) {
  std::vector<RawValue> values;
  std::vector<RawValue> files;
  std::vector<RawValue> run;
  try {
    values = sources.registry.Values(Hive::CurrentUser, kKeptValuesPath);
    files = sources.registry.Values(Hive::CurrentUser, kKeptFilesPath);
    run = sources.registry.Values(Hive::CurrentUser, kRunKeyPath);
  } catch (const std::exception&) {
    return;
  }
  for (const RawValue& value : values) {
    TakeoverEntry entry = ValueEntry(sources, EntryPlace::KeptValue, value);
    if (HasOtherValueNamed(run, value)) entry.flaw = EntryFlaw::PlaceTaken;
    entries.push_back(std::move(entry));
  }
  for (const RawValue& record : files) {
    TakeoverEntry entry;
    entry.place = EntryPlace::KeptFile;
    entry.name = record.name;
    entry.origin = TextOf(record);
    entry.command = entry.origin;
    const bool origin_known =
        locations.user_startup.empty() || IsFileInFolder(entry.origin, locations.user_startup);
    if (!IsText(record) || !IsPlainFileName(record.name) || !origin_known) {
      entry.flaw = EntryFlaw::BadRecord;  // never read, written or deleted by that name
      entries.push_back(std::move(entry));
      continue;
    }
    entry.path = locations.kept_folder + record.name;
    if (!sources.files.Exists(entry.path))
      entry.flaw = EntryFlaw::CopyMissing;
    else if (sources.files.Exists(entry.origin))
      entry.flaw = EntryFlaw::PlaceTaken;
    DescribeFile(sources, entry);
    entries.push_back(std::move(entry));
  }
}

}  // namespace

EntryLocations LocateEntries(SpecialFolders& folders, const std::string& program_folder,
                             const std::string& program_file) {
  EntryLocations locations;
  locations.user_startup = folders.Path(csidl::kStartup).value_or("");
  locations.common_startup = folders.Path(csidl::kCommonStartup).value_or("");
  locations.kept_folder = program_folder + kKeptFolderName;
  locations.program_file = program_file;
  return locations;
}

void SplitCommand(const std::string& command, std::string& file, std::string& arguments) {
  const std::string text = Trimmed(command);
  file.clear();
  arguments.clear();
  if (!text.empty() && text.front() == '"') {
    const size_t close = text.find('"', 1);
    file = text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    if (close != std::string::npos) arguments = Trimmed(text.substr(close + 1));
    return;
  }
  // Unquoted paths with blanks are common in Run values; the program's name ends them.
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsShiftJisLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    if (HasAsciiWordAt(text, i, ".exe") && (i + 4 == text.size() || text[i + 4] == ' ')) {
      file = text.substr(0, i + 4);
      arguments = Trimmed(text.substr(std::min(text.size(), i + 5)));
      return;
    }
  }
  const size_t blank = text.find(' ');
  file = text.substr(0, blank);
  if (blank != std::string::npos) arguments = Trimmed(text.substr(blank + 1));
}

std::vector<TakeoverEntry> ListTakeoverEntries(EntrySources sources,
                                               const EntryLocations& locations,
                                               const std::vector<LaunchItem>& rows) {
  std::vector<TakeoverEntry> entries;
  ReadValues(sources, Hive::CurrentUser, kRunKeyPath, EntryPlace::UserRun, locations, entries);
  ReadValues(sources, Hive::CurrentUser, kRunOnceKeyPath, EntryPlace::UserRunOnce, locations,
             entries);
  ReadValues(sources, Hive::LocalMachine, kRunKeyPath, EntryPlace::MachineRun, locations, entries);
  ReadValues(sources, Hive::LocalMachine, kRunOnceKeyPath, EntryPlace::MachineRunOnce, locations,
             entries);
  ReadFolder(sources, locations.user_startup, EntryPlace::UserStartup, locations, entries);
  ReadFolder(sources, locations.common_startup, EntryPlace::CommonStartup, locations, entries);
  ReadKept(sources, locations, entries);
  for (TakeoverEntry& entry : entries) {
    if (IsKept(entry) || entry.own) continue;
    for (const LaunchItem& row : rows)
      if (!row.file.empty() && SamePath(Unquoted(row.file), entry.file)) entry.duplicate = true;
  }
  return entries;
}

TakeoverEntry RunValueEntry(EntrySources sources, const RawValue& value) {
  return ValueEntry(sources, EntryPlace::UserRun, value);
}

void DescribeStartupFile(EntrySources sources, TakeoverEntry& entry) {
  DescribeFile(sources, entry);
}

bool IsBrokenCommand(const TakeoverEntry& entry, FileStore& files) {
  if (entry.file.empty()) return true;
  const std::string text = Trimmed(entry.command);
  const bool open_quote = text.front() == '"' && text.find('"', 1) == std::string::npos;
  return open_quote && !files.Exists(entry.file);
}

std::vector<TakeoverEntry> ListKeptEntries(EntrySources sources, const EntryLocations& locations) {
  std::vector<TakeoverEntry> entries;
  ReadKept(sources, locations, entries);
  return entries;
}

bool IsKeptRow(const std::vector<TakeoverEntry>& kept, const LaunchItem& row) {
  for (const TakeoverEntry& entry : kept)
    if (RowOfEntry(entry, {row}) == 0) return true;
  return false;
}

bool CanTakeOver(const TakeoverEntry& entry) {
  return !entry.own && !entry.read_only && entry.flaw == EntryFlaw::None &&
         (entry.place == EntryPlace::UserRun || entry.place == EntryPlace::UserStartup);
}

bool IsKept(const TakeoverEntry& entry) {
  return entry.place == EntryPlace::KeptValue || entry.place == EntryPlace::KeptFile;
}

int RowOfEntry(const TakeoverEntry& entry, const std::vector<LaunchItem>& rows) {
  if (entry.file.empty()) return -1;  // a record too broken to say what it starts
  for (size_t i = 0; i < rows.size(); ++i)
    if (SamePath(Unquoted(rows[i].file), entry.file) && rows[i].args == entry.arguments)
      return static_cast<int>(i);
  return -1;
}

LaunchItem RowFromEntry(const TakeoverEntry& entry) {
  LaunchItem row;
  row.title = entry.name;
  if (!entry.path.empty() && EndsWithLnk(row.title)) row.title.resize(row.title.size() - 4);
  row.file = entry.file;
  row.args = entry.arguments;
  row.folder = entry.folder;
  constexpr int kMinimised = 2, kMaximised = 3, kMinimisedInactive = 7, kMinimisedOnly = 6;
  switch (entry.show_command) {
    case kMinimised:
    case kMinimisedInactive:
    case kMinimisedOnly:
      row.state = "1";
      break;
    case kMaximised:
      row.state = "2";
      break;
    default:
      row.state = "0";
  }
  row.band = "00002359";
  row.once = "000/00";
  row.enabled = true;
  return row;
}

std::string PlaceText(const TakeoverEntry& entry) {
  namespace t = takeover_texts;
  switch (entry.place) {
    case EntryPlace::UserRun:
      return t::kPlaceUserRun;
    case EntryPlace::UserRunOnce:
      return t::kPlaceUserRunOnce;
    case EntryPlace::MachineRun:
      return t::kPlaceMachineRun;
    case EntryPlace::MachineRunOnce:
      return t::kPlaceMachineRunOnce;
    case EntryPlace::UserStartup:
      return t::kPlaceUserStartup;
    case EntryPlace::CommonStartup:
      return t::kPlaceCommonStartup;
    case EntryPlace::KeptValue:
      return t::kPlaceKeptValue;
    case EntryPlace::KeptFile:
      return t::kPlaceKeptFile;
  }
  return {};
}

std::string MarkText(const TakeoverEntry& entry) {
  namespace t = takeover_texts;
  if (entry.own) return t::kMarkOwn;
  std::string mark = entry.duplicate ? t::kMarkDuplicate : "";
  const auto add = [&mark](const char* text) {
    mark += mark.empty() ? text : std::string(" ") + text;
  };
  if (entry.read_only) add(t::kMarkReadOnly);
  switch (entry.flaw) {
    case EntryFlaw::InexactName:
      add(t::kMarkInexactName);
      break;
    case EntryFlaw::BadRecord:
      add(t::kMarkBadRecord);
      break;
    case EntryFlaw::PlaceTaken:
      add(t::kMarkPlaceTaken);
      break;
    case EntryFlaw::CopyMissing:
      add(t::kMarkCopyMissing);
      break;
    case EntryFlaw::None:
      break;
  }
  return mark;
}
