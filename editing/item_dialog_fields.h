#pragma once

#include <optional>
#include <string>

#include "items/row_timing.h"
#include "items/start_condition.h"

// What the list commands put into the item dialog and read back after OK.
struct ItemDialogFields {
  std::string title;   // TitleName
  std::string file;    // FileName
  std::string folder;  // FolderName
  std::string args;    // ArgumentsName
  std::string home;    // HomeName
  int style = 0;       // StyleCombo index
  int start_hour = 0;  // Shh
  int start_minute = 0;
  int end_hour = 12;  // Ehh; callers always set the end time
  int end_minute = 59;
  bool once = false;         // OnceCheckBox
  RowTiming timing;          // the log-on delay, days and idle rule below the first fields
  StartCondition condition;  // what the row waits for at log-on, below the timing
};

struct ItemDialogResult {
  ItemDialogFields fields;
  std::string p_time;      // P_Time, eight characters
  std::string once_check;  // OnceCheck, "0" or "1"
};

// Shows the item dialog modally for one Add or Edit; nothing when it closes without OK.
class ItemDialogRunner {
 public:
  virtual ~ItemDialogRunner() = default;
  virtual std::optional<ItemDialogResult> Run(const ItemDialogFields& initial) = 0;
};
