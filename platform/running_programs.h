#pragma once

#include <string>
#include <vector>

// The programs that run in this user's session.
class RunningPrograms {
 public:
  virtual ~RunningPrograms() = default;
  // The full path of each running process's program file that this user may query; processes
  // of other users, or whose path cannot be read, are left out. Throws AppError when the
  // system gives no list at all.
  virtual std::vector<std::string> ProgramPaths() = 0;
};
