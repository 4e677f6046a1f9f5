#pragma once

#include <cstddef>
#include <string>

// The longest file or folder the shell takes as a path: the system's path limit less its NUL.
// Longer texts have crashed inside the shell's launch, so they never reach it.
inline constexpr std::size_t kMaxLaunchPathBytes = 259;
// The longest command line a started program can receive, NUL included.
inline constexpr std::size_t kMaxCommandLineBytes = 32767;

// Whether the shell can be handed these texts: the file and the folder within the path limit,
// and the quoted file, a blank and the arguments within the command-line limit.
inline bool ShellCanTake(const std::string& file, const std::string& arguments,
                         const std::string& folder) {
  if (file.size() > kMaxLaunchPathBytes || folder.size() > kMaxLaunchPathBytes) return false;
  return file.size() + 3 + arguments.size() < kMaxCommandLineBytes;
}
