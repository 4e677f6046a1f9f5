#pragma once

#include <cstdint>
#include <string>

// An item file another program holds without sharing (a sync client, a backup, a virus scanner
// at log-on) is usually let go within seconds. The log-on run waits for it this long in all,
// trying again after growing pauses.
inline constexpr std::int64_t kHeldItemFileLimitMs = 10000;

// The pause before the next try once the file has been held so long; negative once the wait
// is over.
int HeldItemFilePauseMs(std::int64_t held_ms);

// "3.2": the seconds, to a tenth.
std::string HeldSecondsText(std::int64_t held_ms);

// The log-on report's line for a run that started once the file was let go, and for one that
// gave up waiting.
std::string HeldItemFileLine(std::int64_t held_ms);
std::string HeldTooLongLine(std::int64_t held_ms);
