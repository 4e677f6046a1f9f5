#include "items/start_condition.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

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

// A small whole number in [0, last], else the default; an empty text is the default unmended.
int ChoiceOf(const std::string& text, int last, bool* mended) {
  const auto value = DecimalOf(text);
  const bool known = value && *value >= 0 && *value <= last;
  if (mended) *mended = !text.empty() && !known;
  return known ? static_cast<int>(*value) : 0;
}

}  // namespace

std::string NeedKey(int row) {
  return "Need" + std::to_string(row);
}
std::string NeedOfKey(int row) {
  return "NeedOf" + std::to_string(row);
}
std::string NeedLimitKey(int row) {
  return "NeedLimit" + std::to_string(row);
}
std::string NeedEndKey(int row) {
  return "NeedEnd" + std::to_string(row);
}

ConditionKind ConditionKindOf(const std::string& text, bool* mended) {
  return static_cast<ConditionKind>(ChoiceOf(text, 3, mended));
}

int ConditionLimitOf(const std::string& text, bool* mended) {
  const auto value = DecimalOf(text);
  const long long limit = value ? std::clamp<long long>(*value, 1, kMaxConditionLimitSeconds)
                                : kDefaultConditionLimitSeconds;
  if (mended) *mended = !text.empty() && (!value || *value != limit);
  return static_cast<int>(limit);
}

AtLimit AtLimitOf(const std::string& text, bool* mended) {
  return ChoiceOf(text, 1, mended) == 1 ? AtLimit::Skip : AtLimit::Start;
}

std::string ConditionKindText(ConditionKind kind) {
  return std::to_string(static_cast<int>(kind));
}

std::string AtLimitText(AtLimit at_limit) {
  return at_limit == AtLimit::Skip ? "1" : "0";
}
