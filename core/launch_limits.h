#pragma once

#include <cstddef>
#include <string>

// The longest file or folder the shell takes as a path: the system's path limit less its NUL.
// Longer texts have crashed inside the shell's launch, so they never reach it.
inline constexpr std::size_t kMaxLaunchPathBytes = 259;
// The longest command line a started program can receive, NUL included.
inline constexpr std::size_t kMaxCommandLineBytes = 32767;

// The longest web address handed to the shell. Measured under Wine 8, its launch faults inside
// the shell from about 990 characters on (whatever the scheme, its program or the arguments), so
// the bound keeps a margin below that. A double-byte character counts twice here but once there.
inline constexpr std::size_t kMaxLaunchAddressBytes = 900;

// A web address or other URL: a scheme of two or more characters (a letter, then letters,
// digits, "+", "-" or ".") followed by ":". One letter and ":" is a drive.
inline bool IsWebAddress(const std::string& file) {
  const std::size_t colon = file.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (!letter(file[0])) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    const char c = file[i];
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

// The bound of the file text by its kind: a path, or an address the shell hands on whole.
inline std::size_t MaxLaunchFileBytes(const std::string& file) {
  return IsWebAddress(file) ? kMaxLaunchAddressBytes : kMaxLaunchPathBytes;
}

// Whether the shell can be handed these texts: the file within its bound, the folder within
// the path limit, and the quoted file, a blank and the arguments within the command-line
// limit.
inline bool ShellCanTake(const std::string& file, const std::string& arguments,
                         const std::string& folder) {
  if (file.size() > MaxLaunchFileBytes(file) || folder.size() > kMaxLaunchPathBytes) return false;
  return file.size() + 3 + arguments.size() < kMaxCommandLineBytes;
}
