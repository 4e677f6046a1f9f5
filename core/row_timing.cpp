#include "core/row_timing.h"

#include <algorithm>
#include <cstdio>

#include "core/integer_text.h"

namespace {

constexpr const char* kDayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

}  // namespace

std::string DelayKey(int row) {
  return "Delay" + std::to_string(row);
}
std::string DaysKey(int row) {
  return "Days" + std::to_string(row);
}
std::string IdleKey(int row) {
  return "Idle" + std::to_string(row);
}

std::string DelayText(int seconds) {
  return std::to_string(seconds);
}

std::string DaysText(int days) {
  std::string text;
  for (int d = 0; d < 7; ++d) text += (days >> d) & 1 ? '1' : '0';
  return text;
}

int DelayOf(const std::string& text) {
  const auto value = ParseInteger(text);
  return value ? std::clamp<int>(*value, 0, kMaxDelaySeconds) : 0;
}

int DaysOf(const std::string& text) {
  if (text.size() != 7) return kAllDays;
  int days = 0;
  for (int d = 0; d < 7; ++d) {
    if (text[static_cast<size_t>(d)] != '0' && text[static_cast<size_t>(d)] != '1') return kAllDays;
    if (text[static_cast<size_t>(d)] == '1') days |= 1 << d;
  }
  return days;
}

bool IdleOf(const std::string& text) {
  return ParseInteger(text).value_or(0) != 0;
}

int WeekdayOf(const LocalTime& t) {
  // Sakamoto's rule: March-based years keep the leap day at the year's end.
  static constexpr int kMonthOffset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int month = std::clamp(t.month, 1, 12);
  const int year = t.year - (month < 3 ? 1 : 0);
  const int weekday =
      (year + year / 4 - year / 100 + year / 400 + kMonthOffset[month - 1] + t.day) % 7;
  return weekday < 0 ? weekday + 7 : weekday;
}

bool OnDay(int days, int weekday) {
  return weekday < 0 || weekday > 6 || ((days >> weekday) & 1) != 0;
}

std::string DaysLabel(int days) {
  if ((days & kAllDays) == kAllDays) return "毎日";
  if ((days & kAllDays) == 0) return "なし";
  std::string label;
  for (int d = 0; d < 7; ++d)
    if ((days >> d) & 1) label += kDayNames[d];
  return label;
}

std::string TimingSummary(const RowTiming& timing) {
  std::string summary;
  const auto add = [&](const std::string& part) { summary += (summary.empty() ? "" : " ") + part; };
  if (timing.delay_seconds > 0) add(std::to_string(timing.delay_seconds) + "秒後");
  if ((timing.days & kAllDays) != kAllDays) add(DaysLabel(timing.days));
  if (timing.when_idle) add("ｱｲﾄﾞﾙ時");
  return summary;
}

std::string TimeOfDayAfter(const LocalTime& t, long long milliseconds) {
  constexpr long long kDay = 24 * 60 * 60;
  long long seconds = (t.hour * 3600LL + t.minute * 60LL + t.second + milliseconds / 1000) % kDay;
  if (seconds < 0) seconds += kDay;
  char text[16];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}
