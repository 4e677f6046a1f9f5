#pragma once

#include <string>
#include <vector>

#include "platform/running_programs.h"

// A tool-help snapshot of the processes, kept to those whose token belongs to this user.
class Win32RunningPrograms : public RunningPrograms {
 public:
  std::vector<std::string> ProgramPaths() override;
};
