#include "items/row_timing.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kDayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

// An optional sign and decimal digits; a number of any length saturates instead of failing.
std::optional<long long> DecimalOf(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min(value * 10 + (c - '0'), 1000000000LL);
  }
  return negative ? -value : value;
}

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

int DelayOf(const std::string& text, bool* mended) {
  const auto value = DecimalOf(text);
  const long long delay = value ? std::clamp<long long>(*value, 0, kMaxDelaySeconds) : 0;
  if (mended) *mended = !text.empty() && (!value || *value != delay);
  return static_cast<int>(delay);
}

int DaysOf(const std::string& text, bool* mended) {
  int days = 0;
  bool valid = text.size() == 7;
  for (size_t d = 0; valid && d < 7; ++d) {
    valid = text[d] == '0' || text[d] == '1';
    if (text[d] == '1') days |= 1 << d;
  }
  if (mended) *mended = !text.empty() && !valid;
  return valid ? days : kAllDays;
}

bool IdleOf(const std::string& text, bool* mended) {
  const auto value = DecimalOf(text);
  if (mended) *mended = !text.empty() && !value;
  return value.value_or(0) != 0;
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
