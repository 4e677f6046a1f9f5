#include <algorithm>

#include "logon/logon_run.h"

// The started processes, followed for their first minute: when each was ready and how much
// processor time it used, for the timeline and for the rows waiting on the one before them.

void LogOnRun::StopFollowing() {
  attempts_.clear();
  followed_.clear();
}

void LogOnRun::Follow() {
  const std::int64_t now = Elapsed();
  for (Followed& followed : followed_) {
    if (followed.done) continue;
    if (!followed.process) {
      followed.done = true;
      continue;
    }
    if (TimelineOf(followed.row).ready_ms == kNever) Ready(followed);
    // Taken once, when the process ends or its first minute is over.
    if (followed.process->Ended() || now - followed.started_ms >= kTimelineFollowMs) {
      TimelineOf(followed.row).processor_ms = followed.process->ProcessorMs().value_or(kNever);
      followed.done = true;
    }
  }
}

bool LogOnRun::Following() const {
  return std::any_of(followed_.begin(), followed_.end(),
                     [](const Followed& followed) { return !followed.done; });
}

bool LogOnRun::Ready(Followed& followed) {
  WatchedProcess& process = *followed.process;
  // Cheapest first: looking for a window walks every window there is.
  const bool ready = process.Ended() || process.InputIdle() || process.ShowsWindow();
  const std::int64_t now = Elapsed();
  RowTimeline& timeline = TimelineOf(followed.row);
  if (ready && timeline.ready_ms == kNever && now - followed.started_ms <= kTimelineFollowMs)
    timeline.ready_ms = now;
  return ready;
}
