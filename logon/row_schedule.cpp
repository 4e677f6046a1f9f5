#include "logon/row_schedule.h"

#include <algorithm>

void IdleMeter::Add(std::int64_t now_ms, const ProcessorTimes& times) {
  samples_.push_back({now_ms, times});
  // Keep the newest sample that is a whole window old, and everything after it.
  while (samples_.size() > 2 && now_ms - samples_[1].at >= kIdleWindowMs) samples_.pop_front();
}

bool IdleMeter::Idle() const {
  if (samples_.size() < 2) return false;
  const Sample& first = samples_.front();
  const Sample& last = samples_.back();
  if (last.at - first.at < kIdleWindowMs) return false;
  const std::uint64_t total = last.times.total - first.times.total;
  const std::uint64_t idle = last.times.idle - first.times.idle;
  // Counters that went back (or did not move) say nothing about the window.
  if (last.times.total < first.times.total || last.times.idle < first.times.idle || total == 0)
    return false;
  const std::uint64_t busy = total - std::min(idle, total);
  return busy * 100 < total * static_cast<std::uint64_t>(kIdleThresholdPercent);
}

void RowSchedule::Add(int row, const RowTiming& timing, const StartCondition& condition,
                      std::int64_t now_ms) {
  const std::int64_t due_ms = began_ms_ + timing.delay_seconds * 1000LL;
  pending_.push_back({row, due_ms, timing.when_idle, timing.delay_seconds > 0, condition});
  Row& added = pending_.back();
  added.idle_from = due_ms;
  // Begun with the walk, so that "the previous start" is the one before this row, not after.
  if (condition.Set() && now_ms >= due_ms) ConditionSettled(added, now_ms);
}

void RowSchedule::BeginCondition(Row& row, std::int64_t now_ms) {
  row.condition_from = now_ms;
  if (check_) check_->Begin(row.row);
}

bool RowSchedule::ConditionSettled(Row& row, std::int64_t now_ms) {
  if (!row.condition.Set() || row.condition_end != ConditionEnd::None) return true;
  if (row.condition_from < 0) BeginCondition(row, now_ms);
  const std::int64_t waited = now_ms - row.condition_from;
  if (!check_ || check_->Holds(row.row)) {
    row.condition_end = ConditionEnd::Met;
  } else if (waited >= row.condition.limit_seconds * 1000LL) {
    row.condition_end = row.condition.at_limit == AtLimit::Skip ? ConditionEnd::LimitSkip
                                                                : ConditionEnd::LimitStart;
  } else {
    return false;
  }
  row.condition_ms = waited;
  row.idle_from = now_ms;
  return true;
}

std::vector<ScheduledStart> RowSchedule::Due(std::int64_t now_ms,
                                             const std::optional<ProcessorTimes>& times) {
  if (times) meter_.Add(now_ms, *times);
  std::vector<ScheduledStart> due;
  bool idle_start_taken = false;
  const bool idle = meter_.Idle();
  bool started = false;
  for (auto it = pending_.begin(); it != pending_.end();) {
    std::optional<WaitReason> reason;
    if (now_ms >= it->due_ms && ConditionSettled(*it, now_ms)) {
      if (it->condition_end == ConditionEnd::LimitSkip) {
        reason = WaitReason::None;
      } else if (!it->when_idle) {
        reason = it->delayed ? WaitReason::Delay : WaitReason::None;
      } else if (now_ms - it->idle_from >= kIdleLimitMs) {
        reason = WaitReason::IdleLimit;
      } else if (idle && !idle_start_taken) {
        reason = WaitReason::Idle;
        idle_start_taken = true;
      }
    }
    if (!reason) {
      ++it;
      continue;
    }
    due.push_back({it->row, *reason, now_ms - began_ms_, it->condition_end, it->condition_ms});
    started = started || it->condition_end != ConditionEnd::LimitSkip;
    it = pending_.erase(it);
  }
  if (started) meter_.Restart();
  return due;
}

std::int64_t RowSchedule::NextCheckIn(std::int64_t now_ms) const {
  std::int64_t next = kIdleLimitMs;
  for (const Row& row : pending_) {
    const std::int64_t delay_left = row.due_ms - now_ms;
    std::int64_t row_next = delay_left;
    if (delay_left <= 0 && row.condition.Set() && row.condition_end == ConditionEnd::None)
      row_next = kConditionPollMs;
    else if (delay_left <= 0 && row.when_idle)
      row_next = kIdlePollMs;
    next = std::min(next, row_next);
  }
  return std::max<std::int64_t>(next, 1);
}

std::vector<ScheduledStart> RowSchedule::Pending(std::int64_t now_ms) const {
  std::vector<ScheduledStart> rows;
  for (const Row& row : pending_) {
    const WaitReason reason =
        row.when_idle && now_ms >= row.due_ms ? WaitReason::Idle : WaitReason::Delay;
    rows.push_back({row.row, reason, now_ms - began_ms_, row.condition_end,
                    row.condition_from < 0 ? 0 : now_ms - row.condition_from});
  }
  return rows;
}
