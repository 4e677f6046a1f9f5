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

void RowSchedule::Add(int row, const RowTiming& timing) {
  pending_.push_back({row, began_ms_ + timing.delay_seconds * 1000LL, timing.when_idle});
}

std::vector<ScheduledStart> RowSchedule::Due(std::int64_t now_ms,
                                             const std::optional<ProcessorTimes>& times) {
  if (times) meter_.Add(now_ms, *times);
  std::vector<ScheduledStart> due;
  bool idle_start_taken = false;
  const bool idle = meter_.Idle();
  for (auto it = pending_.begin(); it != pending_.end();) {
    std::optional<WaitReason> reason;
    if (now_ms >= it->due_ms) {
      if (!it->when_idle) {
        reason = WaitReason::Delay;
      } else if (now_ms - it->due_ms >= kIdleLimitMs) {
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
    due.push_back({it->row, *reason, now_ms - began_ms_});
    it = pending_.erase(it);
  }
  if (!due.empty()) meter_.Restart();
  return due;
}

std::int64_t RowSchedule::NextCheckIn(std::int64_t now_ms) const {
  std::int64_t next = kIdleLimitMs;
  for (const Row& row : pending_) {
    const std::int64_t delay_left = row.due_ms - now_ms;
    next = std::min(next, row.when_idle && delay_left <= 0 ? kIdlePollMs : delay_left);
  }
  return std::max<std::int64_t>(next, 1);
}

std::vector<ScheduledStart> RowSchedule::Pending(std::int64_t now_ms) const {
  std::vector<ScheduledStart> rows;
  for (const Row& row : pending_) {
    const WaitReason reason =
        row.when_idle && now_ms >= row.due_ms ? WaitReason::Idle : WaitReason::Delay;
    rows.push_back({row.row, reason, now_ms - began_ms_});
  }
  return rows;
}
