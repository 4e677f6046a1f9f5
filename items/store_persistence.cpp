#include "items/store_persistence.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts.h"
#include "items/integer_text.h"
#include "platform/app_error.h"
#include "platform/profile_text.h"
#include "platform/text_format.h"

namespace {

constexpr char kLeft[] = "Left";
constexpr char kTop[] = "Top";
constexpr char kHeight[] = "Height";
constexpr char kWidth[] = "Width";
constexpr char kHomePage[] = "MP";
constexpr char kLauncher[] = "Lanc";
constexpr char kClearRecent[] = "Clear";
constexpr char kCaps[] = "Caps";
constexpr char kNum[] = "Num";
constexpr char kMenuIcon[] = "MenuIcon";
constexpr char kCount[] = "Count";
constexpr char kSkipRunning[] = "Skip";
constexpr char kWait[] = "Wait";

// Reads and writes the values of the settings section of one opened key.
class SettingsSection {
 public:
  explicit SettingsSection(RegistryKey& key) : key_(key) {}

  std::int32_t ReadInteger(std::string_view name, std::int32_t fallback) {
    const auto text = key_.ReadText(texts::kRegistrySection, name);
    if (!text) return fallback;
    return ParseInteger(*text).value_or(fallback);
  }
  bool ReadBool(std::string_view name, bool fallback) {
    return ReadInteger(name, fallback ? 1 : 0) != 0;
  }
  // A value that cannot even be read is there all the same, waiting to be written over.
  bool Has(std::string_view name) {
    try {
      return key_.ReadText(texts::kRegistrySection, name).has_value();
    } catch (const AppError&) {
      return true;
    }
  }
  // A value of the later format: one of the wrong type, not a number or outside [low, high]
  // reads as the fallback and its name goes to misread, so that one odd value never stops a
  // log-on.
  std::int32_t ReadLaterInteger(std::string_view name, std::int32_t fallback, std::int32_t low,
                                std::int32_t high, std::vector<MisreadValue>& misread) {
    std::optional<std::int32_t> value;
    bool present = true;
    try {
      const auto text = key_.ReadText(texts::kRegistrySection, name);
      present = text.has_value();
      if (text) value = ParseInteger(*text);
    } catch (const AppError&) {
    }
    if (!present) return fallback;
    if (value && *value >= low && *value <= high) return *value;
    misread.push_back({std::string(name), {}});
    return fallback;
  }
  std::string ReadString(std::string_view name) {
    return key_.ReadText(texts::kRegistrySection, name).value_or("");
  }

  void WriteInteger(std::string_view name, std::int32_t value) {
    key_.WriteText(texts::kRegistrySection, name, std::to_string(value));
  }
  void WriteBool(std::string_view name, bool value) {
    key_.WriteText(texts::kRegistrySection, name, value ? "1" : "0");
  }
  void WriteString(std::string_view name, std::string_view value) {
    key_.WriteText(texts::kRegistrySection, name, value);
  }

 private:
  RegistryKey& key_;
};

// A title short enough for a message, cut before a character, never inside one.
std::string ShortTitle(const std::string& title) {
  constexpr std::size_t kMost = 60;
  if (title.size() <= kMost) return title;
  std::size_t at = 0;
  while (at < title.size()) {
    const std::size_t width =
        IsShiftJisLeadByte(static_cast<unsigned char>(title[at])) && at + 1 < title.size() ? 2 : 1;
    if (at + width > kMost) break;
    at += width;
  }
  return title.substr(0, at) + "...";
}

// Whether the item file holds a first row at all.
bool StoredRowsPresent(ProfileFile& file) {
  for (const char* key : {"T0", "F0", "C0"})
    if (!file.ReadKey(texts::kItemSection, key).empty()) return true;
  return false;
}

// Values added after the first format are written only once they matter, so that a user who
// never sets them keeps exactly the values earlier versions wrote.
void WriteLaterValues(SettingsSection& section, const AppSettings& settings) {
  if (settings.skip_running || section.Has(kSkipRunning))
    section.WriteBool(kSkipRunning, settings.skip_running);
  if (settings.wait_seconds != 0 || section.Has(kWait))
    section.WriteInteger(kWait, settings.wait_seconds);
}

void WriteSettings(SettingsSection& section, const AppSettings& settings) {
  section.WriteInteger(kLeft, settings.left);
  section.WriteInteger(kTop, settings.top);
  section.WriteInteger(kHeight, settings.height);
  section.WriteInteger(kWidth, settings.width);
  section.WriteString(kHomePage, settings.home_page);
  section.WriteBool(kLauncher, settings.launcher);
  section.WriteBool(kClearRecent, settings.clear_recent);
  section.WriteBool(kCaps, settings.caps);
  section.WriteBool(kNum, settings.num);
  section.WriteBool(kMenuIcon, settings.menu_icon);
  WriteLaterValues(section, settings);
}

std::string RowKey(char letter, int row) {
  return letter + std::to_string(row);
}

// A D field whose once flag is off forgets its last-run date when saved.
void ForgetDateWhenOnceIsOff(ParsedText<OnceRule>& once) {
  if (!once.empty() && once.front() == '0') once = "000/00";
}

// The first value of the store that the item file cannot hold back as it is, as an error.
void RefuseUnstorable(const LaunchItem& row, const std::string& value, const char* field_name) {
  const bool storable = value.size() <= kMaxStoredValueBytes &&
                        value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
  if (storable) return;
  std::string message = FormatText(texts::kErrValueNotStorable, ShortTitle(row.title));
  message = FormatText(message, field_name);
  throw AppError(FormatText(message, std::to_string(kMaxStoredValueBytes)));
}

void RefuseUnstorableValues(const ItemStore& store, std::int32_t count) {
  static constexpr const char* kFieldNames[] = {texts::kFieldNameTitle,  texts::kFieldNameFile,
                                                texts::kFieldNameFolder, texts::kFieldNameArgs,
                                                texts::kFieldNameState,  texts::kFieldNameBand,
                                                texts::kFieldNameOnce,   texts::kFieldNameHome};
  for (int i = 0; i < count; ++i) {
    const LaunchItem& row = store.Row(i);
    for (std::size_t f = 0; f < std::size(kFieldLetters); ++f) {
      const std::string& value = FieldOf(row, kFieldLetters[f]);
      RefuseUnstorable(row, value, kFieldNames[f]);
    }
    RefuseUnstorable(row, row.condition.target, texts::kFieldNameCondition);
  }
}

}  // namespace

std::string ItemFilePath(const std::string& program_folder) {
  return program_folder + texts::kItemFileName + texts::kItemFileExtension;
}

void StorePersistence::Load(AppSettings& settings, ItemStore& store) {
  store.Clear();
  store.count = 0;
  rows_read_ = false;
  item_file_error_.clear();
  garbled_count_.reset();

  const std::unique_ptr<RegistryKey> key = registry_.OpenCurrentUserKey(texts::kRegistryKeyPath);
  SettingsSection section(*key);
  const AppSettings defaults;

  settings.left = section.ReadInteger(kLeft, defaults.left);
  settings.top = section.ReadInteger(kTop, defaults.top);
  settings.height = section.ReadInteger(kHeight, defaults.height);
  settings.width = section.ReadInteger(kWidth, defaults.width);
  settings.home_page = section.ReadString(kHomePage);
  settings.launcher = section.ReadBool(kLauncher, defaults.launcher);
  settings.clear_recent = section.ReadBool(kClearRecent, defaults.clear_recent);
  settings.caps = section.ReadBool(kCaps, defaults.caps);
  settings.num = section.ReadBool(kNum, defaults.num);
  settings.menu_icon = section.ReadBool(kMenuIcon, defaults.menu_icon);
  misread_values_.clear();
  settings.skip_running = section.ReadLaterInteger(kSkipRunning, defaults.skip_running ? 1 : 0,
                                                   INT32_MIN, INT32_MAX, misread_values_) != 0;
  settings.wait_seconds =
      section.ReadLaterInteger(kWait, defaults.wait_seconds, 0, kMaxWaitSeconds, misread_values_);

  const std::optional<std::string> count_text = key->ReadText(texts::kRegistrySection, kCount);
  const std::int32_t count = count_text ? ParseInteger(*count_text).value_or(0) : 0;
  if (count > kMaxItemRows) {
    // Reading that many rows would take the log-on hostage; keep the file as it is and say so.
    throw AppError(FormatText(FormatText(texts::kErrTooManyItems, std::to_string(count)),
                              std::to_string(kMaxItemRows)));
  }
  store.count = count;
  // A "Count" that is no row count at all says nothing about rows that are stored.
  const bool count_garbled = count_text && (count < 0 || !ParseInteger(*count_text));

  const std::unique_ptr<ProfileFile> file = files_.Open(item_file_path_);
  file->RemoveLeftovers();
  std::string bytes;
  if (count > 0 || count_garbled) {
    // A file another program holds must not read as a file without rows: a failed read ends
    // the load here, with the rows unread.
    try {
      bytes = wait_for_held_file_ ? file->ReadAll() : file->ReadAllNow();
    } catch (const AppError& error) {
      store.count = 0;
      item_file_error_ = error.what();
      throw;
    }
    // One list, as it was when read: rows never mixed from two states of the file.
    file->ReadKeysFromLastReadAll();
  }
  for (char letter : kFieldLetters) {
    for (int i = 0; i < count; ++i) {
      std::string value = file->ReadKey(texts::kItemSection, RowKey(letter, i));
      if (letter == 'T') {
        LaunchItem row;
        row.title = std::move(value);
        const std::string flag = file->ReadKey(texts::kItemSection, RowKey('C', i));
        row.enabled = ParseInteger(flag).value_or(0) != 0;
        store.Append(std::move(row));
      } else {
        SetField(store.Row(i), letter, std::move(value));
      }
    }
  }
  // The timing keys are this program's own plain ASCII: the bytes the load has read say them.
  const ProfileSection values(bytes, texts::kItemSection);
  const auto value_of = [&](const std::string& key) {
    return std::string(values.Value(key).value_or(std::string_view()));
  };
  for (int i = 0; i < count; ++i) {
    RowTiming& timing = store.Row(i).timing;
    bool mended = false;
    timing.delay_seconds = DelayOf(value_of(DelayKey(i)), &mended);
    if (mended) misread_values_.push_back({DelayKey(i), DelayText(timing.delay_seconds)});
    timing.days = DaysOf(value_of(DaysKey(i)), &mended);
    if (mended) misread_values_.push_back({DaysKey(i), DaysText(timing.days)});
    timing.when_idle = IdleOf(value_of(IdleKey(i)), &mended);
    if (mended) misread_values_.push_back({IdleKey(i), timing.when_idle ? "1" : "0"});
    StartCondition& condition = store.Row(i).condition;
    condition.kind = ConditionKindOf(value_of(NeedKey(i)), &mended);
    if (mended) misread_values_.push_back({NeedKey(i), ConditionKindText(condition.kind)});
    // A path may be Japanese: read as the row's own texts are, in whatever encoding, and only
    // when there is one, so that a file without conditions costs no reads.
    if (values.Value(NeedOfKey(i)))
      condition.target = file->ReadKey(texts::kItemSection, NeedOfKey(i));
    condition.limit_seconds = ConditionLimitOf(value_of(NeedLimitKey(i)), &mended);
    if (mended)
      misread_values_.push_back({NeedLimitKey(i), std::to_string(condition.limit_seconds)});
    condition.at_limit = AtLimitOf(value_of(NeedEndKey(i)), &mended);
    if (mended) misread_values_.push_back({NeedEndKey(i), AtLimitText(condition.at_limit)});
  }
  rows_read_ = !(count_garbled && StoredRowsPresent(*file));
  if (!rows_read_) garbled_count_ = *count_text;
}

void StorePersistence::SaveSettingsOnly(const AppSettings& settings) {
  const std::unique_ptr<RegistryKey> key = registry_.OpenCurrentUserKey(texts::kRegistryKeyPath);
  SettingsSection section(*key);
  WriteSettings(section, settings);
}

void StorePersistence::Save(const AppSettings& settings, ItemStore& store) {
  const std::int32_t count = store.count;
  if (count > store.Size())
    throw std::invalid_argument("the store's count exceeds its rows; set it before saving");
  for (int i = 0; i < count; ++i) ForgetDateWhenOnceIsOff(store.Row(i).once);
  RefuseUnstorableValues(store, count);

  const std::unique_ptr<RegistryKey> key = registry_.OpenCurrentUserKey(texts::kRegistryKeyPath);
  SettingsSection section(*key);
  WriteSettings(section, settings);

  // One replacement of the whole file, whatever the number of rows; the keys in the order the
  // column-wise writes have always given a new file. A key that already reads back as the value
  // keeps its bytes, whatever encoding the file was written in by someone else.
  const std::unique_ptr<ProfileFile> file = files_.Open(item_file_path_);
  file->RemoveLeftovers();
  const std::string bytes = file->ReadAll();
  const ProfileSection stored(bytes, texts::kItemSection);
  // In a file with a byte-order mark or a NUL the system reads other text than the bytes say;
  // there its own reading decides whether a value is already stored. Asking it costs a listing
  // of the section, so plain files go by their bytes.
  const bool foreign = bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
                       bytes.starts_with("\xFE\xFF") || bytes.find('\0') != std::string::npos;
  std::vector<ProfileWrite> writes;
  writes.reserve(static_cast<std::size_t>(std::max(count, 0)) * 9);
  const auto write = [&](std::string key, const std::string& value) {
    const std::optional<std::string_view> found = stored.Value(key);
    if (found && (*found == value || (foreign && file->ReadKey(texts::kItemSection, key) == value)))
      return;
    writes.push_back({std::move(key), value});
  };
  for (char letter : kFieldLetters) {
    for (int i = 0; i < count; ++i) {
      const LaunchItem& row = store.Row(i);
      write(RowKey(letter, i), FieldOf(row, letter));
      if (letter == 'T') write(RowKey('C', i), row.enabled ? "1" : "0");
    }
  }
  // The timing keys come only once a row departs from the defaults, so that a file of an
  // earlier version keeps its bytes; once there, they follow the row.
  const auto write_timing = [&](const std::string& key, const std::string& value, bool is_default) {
    if (!is_default || stored.Value(key)) write(key, value);
  };
  const RowTiming defaults;
  for (int i = 0; i < count; ++i) {
    const RowTiming& timing = store.Row(i).timing;
    write_timing(DelayKey(i), DelayText(timing.delay_seconds),
                 timing.delay_seconds == defaults.delay_seconds);
    write_timing(DaysKey(i), DaysText(timing.days), timing.days == defaults.days);
    write_timing(IdleKey(i), timing.when_idle ? "1" : "0", timing.when_idle == defaults.when_idle);
    const StartCondition& condition = store.Row(i).condition;
    write_timing(NeedKey(i), ConditionKindText(condition.kind), !condition.Set());
    write_timing(NeedOfKey(i), condition.target, condition.target.empty());
    write_timing(NeedLimitKey(i), std::to_string(condition.limit_seconds),
                 condition.limit_seconds == kDefaultConditionLimitSeconds);
    write_timing(NeedEndKey(i), AtLimitText(condition.at_limit),
                 condition.at_limit == AtLimit::Start);
  }
  if (!writes.empty()) file->ReplaceAll(stored.Edited(writes));

  // Only now that the rows are stored may "Count" speak of them.
  section.WriteInteger(kCount, count);
  rows_read_ = true;
}
