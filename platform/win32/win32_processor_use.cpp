#include "platform/win32/win32_processor_use.h"

#include <windows.h>

namespace {

std::uint64_t Units(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

std::int64_t Win32TickClock::Milliseconds() {
  return static_cast<std::int64_t>(GetTickCount64());
}

std::optional<ProcessorTimes> Win32ProcessorUse::Times() {
  FILETIME idle{}, kernel{}, user{};
  if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
  return ProcessorTimes{Units(idle), Units(kernel) + Units(user)};
}
