#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "items/start_condition.h"

// The item dialog's start-condition fields: which of them a kind uses, what they must hold
// before OK, and how a row's condition reads in the listing.

inline constexpr int kConditionKindCount = 4;  // the choices in ConditionKind order
inline constexpr int kMinConditionLimitSeconds = 1;

// The kind's entry in the dialog's list, and the hint line under the fields.
const char* ConditionKindLabel(ConditionKind kind);
const char* ConditionHint(ConditionKind kind);

// Which fields the kind uses; the others are shown disabled.
struct ConditionFieldUse {
  bool target = false;
  bool browse = false;  // a folder can be picked
  bool limit = false;   // the limit and what happens at it
  bool operator==(const ConditionFieldUse&) const = default;
};
ConditionFieldUse ConditionFieldsFor(ConditionKind kind);

// "host:port" (the host may be a bracketed IPv6 address); nothing when malformed. The port is
// returned as typed, range aside: 0 or above 65535 is the caller's to refuse.
struct HostPort {
  std::string host;
  long port = 0;
};
std::optional<HostPort> SplitHostPort(std::string_view target);

// What OK refuses, with the field to focus; nothing when the fields can be stored.
enum class ConditionField { Target, Limit };
struct ConditionFault {
  ConditionField field;
  const char* message;
};
std::optional<ConditionFault> ConditionFaultOf(ConditionKind kind, std::string_view target,
                                               std::string_view limit_text);

// The condition the fields give, once ConditionFaultOf found nothing: the target without its
// surrounding blanks, and nothing but the kind's own fields kept.
StartCondition ConditionOf(ConditionKind kind, std::string_view target, std::string_view limit_text,
                           bool skip_at_limit);

// A short summary for the listing: empty when the row waits for nothing.
std::string ConditionSummary(const StartCondition& condition);
