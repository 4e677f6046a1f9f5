#pragma once

#include "platform/processor_use.h"

// GetTickCount64: unaffected by changes of the clock's time.
class Win32TickClock : public TickClock {
 public:
  std::int64_t Milliseconds() override;
};

// GetSystemTimes: the kernel time it reports includes the idle time.
class Win32ProcessorUse : public ProcessorUse {
 public:
  std::optional<ProcessorTimes> Times() override;
};
