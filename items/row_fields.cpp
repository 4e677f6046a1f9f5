#include "items/row_fields.h"

#include <initializer_list>

#include "items/integer_text.h"

StoredInteger StoredInteger::Parse(std::string_view text) {
  StoredInteger parsed;
  parsed.value_ = ParseInteger(text);
  if (!parsed.value_) parsed.unreadable_ = text;
  return parsed;
}

std::int32_t StoredInteger::Value() const {
  // The unreadable text is read again only to raise its own error.
  return value_ ? *value_ : IntegerOrThrow(unreadable_);
}

WindowState WindowState::Parse(const std::string& text) {
  return {StoredInteger::Parse(text)};
}

int WindowState::ShowCommand() const {
  return static_cast<int>(static_cast<std::uint32_t>(number.Value()) + 1u);
}

namespace {

// hh * 100 + mm from the two pairs of digits at text[from], gap characters apart, or -1.
int ClockValue(std::string_view text, size_t from, size_t gap) {
  if (text.size() < from + 4 + gap) return -1;
  int value = 0;
  for (size_t i : {from, from + 1, from + 2 + gap, from + 3 + gap}) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

TimeBand TimeBand::Parse(const std::string& text) {
  // Characters past the eighth play no part.
  const int start = ClockValue(text, 0, 0);
  const int end = ClockValue(text, 4, 0);
  if (start < 0 || end < 0) return {};
  return {true, start, end};
}

bool TimeBand::Admits(std::string_view clock) const {
  // The clock is always the program's own hh:mm; any other text is in no band.
  const int now = ClockValue(clock, 0, 1);
  if (!valid || now < 0) return false;
  if (!CrossesMidnight()) return now >= start && now <= end;
  return now >= start || now <= end;
}

OnceRule OnceRule::Parse(const std::string& text) {
  OnceRule rule;
  rule.on = text.starts_with('1');
  rule.date = text.substr(text.empty() ? 0 : 1, 5);
  rule.flag = StoredInteger::Parse(std::string_view(text).substr(0, 1));
  return rule;
}
