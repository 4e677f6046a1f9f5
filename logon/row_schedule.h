#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "items/row_timing.h"
#include "platform/processor_use.h"

// A machine is idle when the processors were used less than this share over the window.
inline constexpr int kIdleThresholdPercent = 20;
inline constexpr std::int64_t kIdleWindowMs = 3000;
// A row that waits for idleness starts after this long all the same.
inline constexpr std::int64_t kIdleLimitMs = 120000;
// How often the processors are looked at while a row waits for idleness.
inline constexpr std::int64_t kIdlePollMs = 1000;

// Whether the processors have been calm over the last window, from samples taken as time goes.
class IdleMeter {
 public:
  void Add(std::int64_t now_ms, const ProcessorTimes& times);
  // A launch makes the machine busy again: only what follows it counts.
  void Restart() { samples_.clear(); }
  bool Idle() const;

 private:
  struct Sample {
    std::int64_t at;
    ProcessorTimes times;
  };
  std::deque<Sample> samples_;
};

enum class WaitReason { None, Delay, Idle, IdleLimit };

struct ScheduledStart {
  int row = 0;
  WaitReason reason = WaitReason::None;
  std::int64_t waited_ms = 0;  // since the run began
};

// The rows of a log-on run that start later than the run: each after its delay, and one that
// waits for idleness then until the machine is calm (one such row at a time, so that heavy
// programs do not all start together) or until kIdleLimitMs has passed. Time comes from the
// caller, so the schedule itself never waits.
class RowSchedule {
 public:
  explicit RowSchedule(std::int64_t began_ms) : began_ms_(began_ms) {}

  void Add(int row, const RowTiming& timing);
  bool Empty() const { return pending_.empty(); }
  // The rows to start now, in row order. times is the processors' state now, when known.
  std::vector<ScheduledStart> Due(std::int64_t now_ms, const std::optional<ProcessorTimes>& times);
  // Milliseconds from now until Due can have more to say.
  std::int64_t NextCheckIn(std::int64_t now_ms) const;
  // A row started outside the schedule makes the machine busy as well.
  void NoteLaunch() { meter_.Restart(); }
  // The rows still pending, each with what it is waiting for.
  std::vector<ScheduledStart> Pending(std::int64_t now_ms) const;
  void Clear() { pending_.clear(); }

 private:
  struct Row {
    int row;
    std::int64_t due_ms;  // the delay's end
    bool when_idle;
  };
  std::int64_t began_ms_;
  std::vector<Row> pending_;
  IdleMeter meter_;
};
