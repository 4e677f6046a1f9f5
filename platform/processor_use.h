#pragma once

#include <cstdint>
#include <optional>

// A clock that only goes forward: milliseconds since some fixed moment (the system's start).
class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual std::int64_t Milliseconds() = 0;
};

// The processors' idle and total time so far, all processors summed, in any one unit.
struct ProcessorTimes {
  std::uint64_t idle = 0;
  std::uint64_t total = 0;
};

class ProcessorUse {
 public:
  virtual ~ProcessorUse() = default;
  // Nothing when the system will not say.
  virtual std::optional<ProcessorTimes> Times() = 0;
};
