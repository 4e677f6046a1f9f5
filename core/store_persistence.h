#pragma once

#include <cstdint>
#include <string>

#include "core/app_settings.h"
#include "core/item_store.h"
#include "platform/profile_file.h"
#include "platform/registry.h"

// The item file beside the program: ProgramFolder + "Morvelin" + ".ini".
std::string ItemFilePath(const std::string& program_folder);

// The most rows a load reads. A larger stored Count loads no rows (Count stays 0 in memory) and
// throws AppError, rather than exhausting memory or holding up the log-on.
inline constexpr std::int32_t kMaxItemRows = 10000;

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
  void Save(const AppSettings& settings, ItemStore& store);

  const std::string& ItemFile() const { return item_file_path_; }

 private:
  Registry& registry_;
  ProfileFiles& files_;
  std::string item_file_path_;
};
