#pragma once

#include "platform/system.h"

// The local date and time of the system.
class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
};
