#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What one log-on run did with each row, as the history keeps it. Times are milliseconds since
// the run began; a negative time means it never happened (not started, or never ready).
inline constexpr std::int64_t kNever = -1;
// Readiness and processor use are followed for this long after a row starts.
inline constexpr std::int64_t kTimelineFollowMs = 60000;

struct RowTimeline {
  std::string title;
  std::int64_t due_ms = 0;             // when its time band, delay and days let it start
  std::int64_t started_ms = kNever;    // handed to the shell
  std::int64_t ready_ms = kNever;      // its process input-idle, a window shown, or ended
  std::int64_t processor_ms = kNever;  // processor time its process used in its first minute
  std::string waited_for;              // what held it between due and start; empty for nothing

  bool operator==(const RowTimeline&) const = default;
};

struct LogOnTimeline {
  std::string began;          // "yyyy/mm/dd hh:mm:ss", local time
  std::int64_t total_ms = 0;  // from the run's start until its last row started or was dropped
  std::vector<RowTimeline> rows;

  bool operator==(const LogOnTimeline&) const = default;
};
