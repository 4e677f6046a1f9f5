#pragma once

#include <string>
#include <vector>

#include "core/app_settings.h"
#include "core/item_store.h"
#include "core/launcher.h"
#include "core/message_dialogs.h"
#include "platform/keyboard.h"
#include "platform/profile_file.h"
#include "platform/shell.h"

// One mark per row visited: " " not launched, "*" launched by this run.
using RunMarks = std::vector<std::string>;

struct StartupClock {
  std::string today;  // TodayText, mm/dd
  std::string clock;  // ClockText, hh:mm
  int weekday = -1;   // 0 Sunday; unknown admits rows of any day
};

// True when clock lies in the band (hhmmhhmm); a band whose start is after its end crosses
// midnight.
bool InTimeBand(const std::string& band, const std::string& clock);

// Walks rows 0 to store.count - 1, launches the due ones through LaunchFileAtStart and then
// writes the once dates into the item file in one replacement. A failure on one row is shown
// through errors and the run goes on with the next row; a failed date write is shown once.
RunMarks StartupRun(const ItemStore& store, const StartupClock& now, ProfileFiles& files,
                    const std::string& item_file_path, Launcher& launcher, MessageDialogs& errors);

// Brings the toggle state in line with the option: one press and release when they differ.
void ApplyCapsLock(Keyboard& keyboard, bool caps_on);
void ApplyNumLock(Keyboard& keyboard, bool num_on);

// Writes "D<row>" = "1" + today into section "Items" of the item file, changing nothing else.
void MarkRunToday(ProfileFile& file, int row, const std::string& today);

// Caps Lock, then Num Lock, then the recent-documents list when "Clear" is on.
void ApplyLogOnConveniences(const AppSettings& settings, Keyboard& keyboard, Shell& shell);
