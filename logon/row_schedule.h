#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "items/row_timing.h"
#include "items/start_condition.h"
#include "platform/processor_use.h"

// A machine is idle when the processors were used less than this share over the window.
inline constexpr int kIdleThresholdPercent = 20;
inline constexpr std::int64_t kIdleWindowMs = 3000;
// A row that waits for idleness starts after this long all the same.
inline constexpr std::int64_t kIdleLimitMs = 120000;
// How often the processors are looked at while a row waits for idleness.
inline constexpr std::int64_t kIdlePollMs = 1000;
// How often a start condition is asked again while a row waits for it.
inline constexpr std::int64_t kConditionPollMs = 250;

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

// How a row's start condition was settled.
enum class ConditionEnd { None, Met, LimitStart, LimitSkip };

struct ScheduledStart {
  int row = 0;
  WaitReason reason = WaitReason::None;
  std::int64_t waited_ms = 0;  // since the run began
  ConditionEnd condition = ConditionEnd::None;
  std::int64_t condition_ms = 0;  // how long the row waited for its condition
  // Skipped at its condition's limit, as its row asks: not to be started.
  bool Skipped() const { return condition == ConditionEnd::LimitSkip; }
};

// What the schedule asks about the rows' start conditions; answered from the system.
class ConditionCheck {
 public:
  virtual ~ConditionCheck() = default;
  // The row's condition starts to count now: what it waits for is fixed here.
  virtual void Begin(int row) = 0;
  virtual bool Holds(int row) = 0;
};

// The rows of a log-on run that start later than the run. A row's rules apply in one order:
// first its delay; then its start condition, from the delay's end until it holds or its limit
// passes (where the row starts or is skipped, as it asks); then, for a row that waits for
// idleness, until the machine is calm (one such row at a time, so that heavy programs do not all
// start together) or kIdleLimitMs after the condition. Time comes from the caller, so the
// schedule itself never waits.
class RowSchedule {
 public:
  explicit RowSchedule(std::int64_t began_ms) : began_ms_(began_ms) {}

  // Without a check every condition holds at once.
  void SetConditionCheck(ConditionCheck* check) { check_ = check; }
  // A row whose delay is over already begins its condition now.
  void Add(int row, const RowTiming& timing, const StartCondition& condition = {},
           std::int64_t now_ms = 0);
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
    bool delayed;
    StartCondition condition;
    std::int64_t condition_from = -1;  // when the condition began to count
    ConditionEnd condition_end = ConditionEnd::None;
    std::int64_t condition_ms = 0;
    std::int64_t idle_from = 0;  // the idle limit counts from here
  };
  // False while the row still waits for its condition; settles it when it holds or its limit
  // has passed.
  bool ConditionSettled(Row& row, std::int64_t now_ms);
  void BeginCondition(Row& row, std::int64_t now_ms);

  std::int64_t began_ms_;
  ConditionCheck* check_ = nullptr;
  std::vector<Row> pending_;
  IdleMeter meter_;
};
