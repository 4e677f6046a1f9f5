#include "items/row_fields.h"

#include "items/integer_text.h"
#include "platform/app_error.h"

StoredInteger StoredInteger::Parse(std::string_view text) {
  StoredInteger parsed;
  try {
    parsed.value_ = IntegerOrThrow(text);
  } catch (const AppError& e) {
    parsed.error_ = e.what();
  }
  return parsed;
}

std::int32_t StoredInteger::Value() const {
  if (!value_) throw AppError(error_);
  return *value_;
}

WindowState WindowState::Parse(const std::string& text) {
  return {StoredInteger::Parse(text)};
}

int WindowState::ShowCommand() const {
  return static_cast<int>(static_cast<std::uint32_t>(number.Value()) + 1u);
}

namespace {

// hh * 100 + mm from the two pairs of digits at text[from], or nothing.
std::optional<int> ClockValue(std::string_view text, size_t from, size_t gap) {
  if (text.size() < from + 4 + gap) return std::nullopt;
  int value = 0;
  for (size_t i : {from, from + 1, from + 2 + gap, from + 3 + gap}) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

TimeBand TimeBand::Parse(const std::string& text) {
  // Characters past the eighth play no part.
  const auto start = ClockValue(text, 0, 0);
  const auto end = ClockValue(text, 4, 0);
  if (!start || !end) return {};
  return {true, *start, *end};
}

bool TimeBand::Admits(std::string_view clock) const {
  const auto now = ClockValue(clock, 0, 1);
  if (!valid || !now || clock[2] != ':') return false;
  if (!CrossesMidnight()) return *now >= start && *now <= end;
  return *now >= start || *now <= end;
}

OnceRule OnceRule::Parse(const std::string& text) {
  OnceRule rule;
  rule.on = !text.empty() && text[0] == '1';
  rule.date = text.substr(text.empty() ? 0 : 1, 5);
  rule.flag = StoredInteger::Parse(std::string_view(text).substr(0, 1));
  return rule;
}
