#pragma once

#include <functional>

// Calls back on the user-interface thread, from its message loop, every so many milliseconds
// until stopped.
class RepeatingTimer {
 public:
  virtual ~RepeatingTimer() = default;
  // False when no timer could be set: no tick will come.
  virtual bool Start(int milliseconds, std::function<void()> tick) = 0;
  virtual void Stop() = 0;
};
