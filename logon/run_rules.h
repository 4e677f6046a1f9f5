#pragma once

#include <string>
#include <vector>

#include "items/app_settings.h"
#include "items/row_fields.h"
#include "platform/keyboard.h"
#include "platform/shell.h"

// One mark per row visited: " " not launched, "*" launched by this run.
using RunMarks = std::vector<std::string>;

struct RunClock {
  std::string today;  // TodayText, mm/dd
  std::string clock;  // ClockText, hh:mm
  int weekday = -1;   // 0 Sunday; unknown admits rows of any day
};

// True when clock lies in the band (hhmmhhmm); a band whose start is after its end crosses
// midnight.
bool InTimeBand(const ParsedText<TimeBand>& band, const std::string& clock);

// Brings the toggle state in line with the option: one press and release when they differ.
void ApplyCapsLock(Keyboard& keyboard, bool caps_on);
void ApplyNumLock(Keyboard& keyboard, bool num_on);

// Caps Lock, then Num Lock, then the recent-documents list when "Clear" is on.
void ApplyLogOnConveniences(const AppSettings& settings, Keyboard& keyboard, Shell& shell);
