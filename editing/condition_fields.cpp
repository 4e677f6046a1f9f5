#include "editing/condition_fields.h"

#include <algorithm>

#include "core/launch_limits.h"
#include "editing/item_dialog_texts.h"
#include "platform/text_format.h"

namespace {

constexpr long kMaxPort = 65535;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Decimal digits only; a number of any length saturates instead of failing.
std::optional<long> DigitsOf(std::string_view text) {
  if (text.empty()) return std::nullopt;
  long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min(value * 10 + (c - '0'), 1000000L);
  }
  return value;
}

bool HostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

bool HexOrColon(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
         c == '.';
}

// A full path: a drive and its root ("Z:\..."), or a network name ("\\server\share..."),
// without the characters no file name may hold. The second byte of a double-byte character is
// never taken for one of them.
bool FullPath(std::string_view path) {
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  const bool drive = path.size() >= 3 && letter(path[0]) && path[1] == ':' && path[2] == '\\';
  const bool network = path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
  if ((!drive && !network) || path.size() > kMaxLaunchPathBytes) return false;
  for (size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (IsShiftJisLeadByte(c) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (c < 0x20 || std::string_view("<>\"|?*").find(static_cast<char>(c)) != std::string::npos ||
        (c == ':' && i != 1))
      return false;
  }
  return true;
}

}  // namespace

const char* ConditionKindLabel(ConditionKind kind) {
  switch (kind) {
    case ConditionKind::PreviousReady:
      return texts::kNeedPreviousLabel;
    case ConditionKind::PathExists:
      return texts::kNeedPathLabel;
    case ConditionKind::PortOpen:
      return texts::kNeedPortLabel;
    case ConditionKind::None:
      break;
  }
  return texts::kNeedNoneLabel;
}

const char* ConditionHint(ConditionKind kind) {
  switch (kind) {
    case ConditionKind::PreviousReady:
      return texts::kNeedPreviousHint;
    case ConditionKind::PathExists:
      return texts::kNeedPathHint;
    case ConditionKind::PortOpen:
      return texts::kNeedPortHint;
    case ConditionKind::None:
      break;
  }
  return texts::kNeedNoneHint;
}

ConditionFieldUse ConditionFieldsFor(ConditionKind kind) {
  switch (kind) {
    case ConditionKind::PreviousReady:
      return {false, false, true};
    case ConditionKind::PathExists:
      return {true, true, true};
    case ConditionKind::PortOpen:
      return {true, false, true};
    case ConditionKind::None:
      break;
  }
  return {};
}

std::optional<HostPort> SplitHostPort(std::string_view target) {
  size_t colon = 0;
  HostPort parts;
  if (!target.empty() && target.front() == '[') {
    const size_t close = target.find(']');
    if (close == std::string_view::npos || close < 2 || close + 1 >= target.size() ||
        target[close + 1] != ':' ||
        !std::all_of(target.begin() + 1, target.begin() + close, HexOrColon))
      return std::nullopt;
    parts.host = std::string(target.substr(1, close - 1));
    colon = close + 1;
  } else {
    colon = target.find(':');
    if (colon == std::string_view::npos || colon == 0 ||
        !std::all_of(target.begin(), target.begin() + colon, HostCharacter))
      return std::nullopt;
    parts.host = std::string(target.substr(0, colon));
  }
  const std::optional<long> port = DigitsOf(target.substr(colon + 1));
  if (!port) return std::nullopt;
  parts.port = *port;
  return parts;
}

std::optional<ConditionFault> ConditionFaultOf(ConditionKind kind, std::string_view target,
                                               std::string_view limit_text) {
  if (kind == ConditionKind::None) return std::nullopt;
  target = Trimmed(target);
  const auto fault = [](const char* message) {
    return ConditionFault{ConditionField::Target, message};
  };
  if (kind == ConditionKind::PathExists) {
    if (target.empty()) return fault(texts::kNeedNoPath);
    if (!FullPath(target)) return fault(texts::kNeedBadPath);
  }
  if (kind == ConditionKind::PortOpen) {
    if (target.empty()) return fault(texts::kNeedNoHost);
    const std::optional<HostPort> parts = SplitHostPort(target);
    if (!parts) return fault(texts::kNeedBadHost);
    if (parts->port < 1 || parts->port > kMaxPort) return fault(texts::kNeedBadPort);
  }
  const std::optional<long> limit = DigitsOf(Trimmed(limit_text));
  if (!limit || *limit < kMinConditionLimitSeconds || *limit > kMaxConditionLimitSeconds)
    return ConditionFault{ConditionField::Limit, texts::kNeedBadLimit};
  return std::nullopt;
}

StartCondition ConditionOf(ConditionKind kind, std::string_view target, std::string_view limit_text,
                           bool skip_at_limit) {
  if (kind == ConditionKind::None) return {};
  StartCondition condition;
  condition.kind = kind;
  if (ConditionFieldsFor(kind).target) condition.target = std::string(Trimmed(target));
  condition.limit_seconds = static_cast<int>(std::clamp(DigitsOf(Trimmed(limit_text)).value_or(0),
                                                        long{kMinConditionLimitSeconds},
                                                        long{kMaxConditionLimitSeconds}));
  condition.at_limit = skip_at_limit ? AtLimit::Skip : AtLimit::Start;
  return condition;
}

std::string ConditionSummary(const StartCondition& condition) {
  std::string what;
  switch (condition.kind) {
    case ConditionKind::None:
      return {};
    case ConditionKind::PreviousReady:
      what = "前の項目";
      break;
    case ConditionKind::PathExists:
      what = "ﾊﾟｽ " + condition.target;
      break;
    case ConditionKind::PortOpen:
      what = "ﾎﾟｰﾄ " + condition.target;
      break;
  }
  return "待機: " + what + " (" + std::to_string(condition.limit_seconds) + "秒, 超過時" +
         (condition.at_limit == AtLimit::Skip ? "ｽｷｯﾌﾟ" : "起動") + ")";
}
