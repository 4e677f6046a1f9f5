#pragma once

#include <string>

// What a row waits for, in a log-on run, before it starts. Stored under keys of its own, which
// earlier versions never read; a row without them starts as before.
enum class ConditionKind {
  None,
  PreviousReady,  // the previous started row's process is input-idle, shows a window, or ended
  PathExists,     // a folder or file (a network drive, a mounted volume)
  PortOpen,       // a TCP host:port accepts a connection (a VPN, a local server)
};

// What happens when the condition is still unmet at its limit.
enum class AtLimit { Start, Skip };

inline constexpr int kDefaultConditionLimitSeconds = 60;
inline constexpr int kMaxConditionLimitSeconds = 3600;

struct StartCondition {
  ConditionKind kind = ConditionKind::None;
  std::string target;  // the path, or "host:port"; empty for PreviousReady
  int limit_seconds = kDefaultConditionLimitSeconds;
  AtLimit at_limit = AtLimit::Start;

  bool Set() const { return kind != ConditionKind::None; }
  bool operator==(const StartCondition&) const = default;
};

// The keys of row i: "Need<i>" (0 none, 1 previous ready, 2 path, 3 port), "NeedOf<i>" (the
// target), "NeedLimit<i>" (seconds), "NeedEnd<i>" (0 start at the limit, 1 skip).
std::string NeedKey(int row);
std::string NeedOfKey(int row);
std::string NeedLimitKey(int row);
std::string NeedEndKey(int row);

// Stored texts and the one rule for hand-edited values, as the timing keys follow: decimal only;
// a kind or an end it does not know reads as the default, a limit beyond its range is brought
// into it. *mended tells when a stored text did not say what it is read as.
ConditionKind ConditionKindOf(const std::string& text, bool* mended = nullptr);
int ConditionLimitOf(const std::string& text, bool* mended = nullptr);
AtLimit AtLimitOf(const std::string& text, bool* mended = nullptr);
std::string ConditionKindText(ConditionKind kind);
std::string AtLimitText(AtLimit at_limit);
