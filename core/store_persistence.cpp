#include "core/store_persistence.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "core/integer_text.h"
#include "core/texts.h"
#include "platform/app_error.h"
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

std::string RowKey(char letter, int row) {
  return letter + std::to_string(row);
}

// A D field whose once flag is off forgets its last-run date when saved.
void ForgetDateWhenOnceIsOff(std::string& once) {
  if (!once.empty() && once.front() == '0') once = "000/00";
}

}  // namespace

std::string ItemFilePath(const std::string& program_folder) {
  return program_folder + texts::kItemFileName + texts::kItemFileExtension;
}

void StorePersistence::Load(AppSettings& settings, ItemStore& store) {
  store.Clear();
  store.count = 0;

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

  const std::int32_t count = section.ReadInteger(kCount, 0);
  if (count > kMaxItemRows) {
    // Reading that many rows would take the log-on hostage; keep the file as it is and say so.
    throw AppError(FormatText(FormatText(texts::kErrTooManyItems, std::to_string(count)),
                              std::to_string(kMaxItemRows)));
  }
  store.count = count;

  const std::unique_ptr<ProfileFile> file = files_.Open(item_file_path_);
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
        FieldOf(store.Row(i), letter) = std::move(value);
      }
    }
  }
}

void StorePersistence::Save(const AppSettings& settings, ItemStore& store) {
  const std::int32_t count = store.count;
  if (count > store.Size())
    throw std::invalid_argument("the store's count exceeds its rows; set it before saving");

  const std::unique_ptr<RegistryKey> key = registry_.OpenCurrentUserKey(texts::kRegistryKeyPath);
  SettingsSection section(*key);
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
  section.WriteInteger(kCount, count);

  const std::unique_ptr<ProfileFile> file = files_.Open(item_file_path_);
  for (char letter : kFieldLetters) {
    for (int i = 0; i < count; ++i) {
      LaunchItem& row = store.Row(i);
      std::string& value = FieldOf(row, letter);
      if (letter == 'D') ForgetDateWhenOnceIsOff(value);
      file->WriteKey(texts::kItemSection, RowKey(letter, i), value);
      if (letter == 'T')
        file->WriteKey(texts::kItemSection, RowKey('C', i), row.enabled ? "1" : "0");
    }
  }
}
