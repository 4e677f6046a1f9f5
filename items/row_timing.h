#pragma once

#include <string>

#include "platform/system.h"

// When in a log-on run a row may start, beyond its time band. Added after the first item file
// format and stored under keys of its own, which earlier versions never read.
inline constexpr int kAllDays = 0x7F;  // bit d: weekday d may start, 0 Sunday
inline constexpr int kMaxDelaySeconds = 3600;

struct RowTiming {
  int delay_seconds = 0;  // after the log-on run began
  int days = kAllDays;
  bool when_idle = false;  // waits for a calm machine, or for kIdleLimitMs

  bool Deferred() const { return delay_seconds > 0 || when_idle; }
  bool operator==(const RowTiming&) const = default;
};

// The keys of row i: "Delay<i>", "Days<i>", "Idle<i>".
std::string DelayKey(int row);
std::string DaysKey(int row);
std::string IdleKey(int row);

// Stored texts: the delay in seconds, the days as seven "0"/"1" from Sunday, idle "1"/"0".
std::string DelayText(int seconds);
std::string DaysText(int days);
// One rule for hand-edited values: decimal only; a delay beyond its range is brought into it,
// and what is no decimal reads as the default. *mended tells when a stored text did not say
// what it is read as.
int DelayOf(const std::string& text, bool* mended = nullptr);
int DaysOf(const std::string& text, bool* mended = nullptr);
bool IdleOf(const std::string& text, bool* mended = nullptr);

// 0 Sunday to 6 Saturday, of the Gregorian date.
int WeekdayOf(const LocalTime& t);
// True when days admits the weekday; an unknown weekday (negative) admits every row.
bool OnDay(int days, int weekday);

// "日月火水木金土" cut to the days that are set ("毎日" for all, "なし" for none).
std::string DaysLabel(int days);
// A short summary for the listing: empty for the defaults.
std::string TimingSummary(const RowTiming& timing);

// "hh:mm:ss" of t moved on by the milliseconds, past midnight as a clock shows it.
std::string TimeOfDayAfter(const LocalTime& t, long long milliseconds);
