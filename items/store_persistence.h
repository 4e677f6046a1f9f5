#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "items/app_settings.h"
#include "items/item_store.h"
#include "platform/profile_file.h"
#include "platform/registry.h"

// A stored value that could not be read as written: its name, and what it was read as when that
// is not its default.
struct MisreadValue {
  std::string name;
  std::string read_as;
  bool operator==(const MisreadValue&) const = default;
};

// The item file beside the program: ProgramFolder + "Morvelin" + ".ini".
std::string ItemFilePath(const std::string& program_folder);

// The most rows a load reads. A larger stored Count loads no rows (Count stays 0 in memory) and
// throws AppError, rather than exhausting memory or holding up the log-on.
inline constexpr std::int32_t kMaxItemRows = 10000;

// The longest value a save writes into the item file. A longer one, or one holding a line
// break or a NUL, would not read back as it was written, so the save refuses it.
inline constexpr std::size_t kMaxStoredValueBytes = 32766;

// Keeps AppSettings in the registry and the rows in the item file. Errors throw AppError and
// end the load or save where they happen; what was read or written before stays.
class StorePersistence {
 public:
  StorePersistence(Registry& registry, ProfileFiles& files, std::string item_file_path)
      : registry_(registry), files_(files), item_file_path_(std::move(item_file_path)) {}

  // Fills settings value by value (so a failure leaves the earlier values read) and then the
  // rows 0 to Count - 1. store.count receives Count. The registry key and the item file are
  // opened for this call only.
  void Load(AppSettings& settings, ItemStore& store);
  // Writes settings, "Count" from store.count,
  // and rows 0 to store.count - 1; a D that begins with "0" becomes "000/00" in the store
  // itself. store.count beyond the rows held is a caller's fault (std::invalid_argument, before
  // anything is written).
  // The rows go to the item file in one replacement before "Count" is written, so registry and
  // file always describe one list. A value the file cannot hold throws AppError naming the item
  // and the field before anything is written.
  void Save(const AppSettings& settings, ItemStore& store);
  // Every setting but "Count"; the stored rows stay as they are.
  void SaveSettingsOnly(const AppSettings& settings);

  // False after a load that did not read the stored rows (an error, a "Count" beyond the bound,
  // or a "Count" that is negative or not a number while rows are stored): the list in memory
  // does not stand for them. A full save makes it true again.
  bool RowsRead() const { return rows_read_; }

  // Off: a load fails at once on an item file another program holds, for a caller that waits
  // for it on its own timer. On by default: the load waits a moment itself.
  void SetWaitForHeldFile(bool wait) { wait_for_held_file_ = wait; }

  const std::string& ItemFile() const { return item_file_path_; }
  // After a load: the error of an item file that was there but could not be read (the load
  // threw it), else empty.
  const std::string& ItemFileError() const { return item_file_error_; }
  // After a load: the stored "Count" when it was no row count while rows are stored.
  const std::optional<std::string>& GarbledCount() const { return garbled_count_; }
  // After a load: the settings of the later format that read as their defaults because what
  // was stored was of the wrong type or out of range. The next save writes them as text.
  // A row's timing key whose text did not say what it is read as is named too, with the value
  // it is read as.
  const std::vector<MisreadValue>& MisreadValues() const { return misread_values_; }

 private:
  Registry& registry_;
  ProfileFiles& files_;
  std::string item_file_path_;
  bool rows_read_ = true;
  bool wait_for_held_file_ = true;
  std::string item_file_error_;
  std::optional<std::string> garbled_count_;
  std::vector<MisreadValue> misread_values_;
};
