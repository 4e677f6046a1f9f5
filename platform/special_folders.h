#pragma once

#include <optional>
#include <string>

// Special folders by CSIDL number, asked of the shell.
class SpecialFolders {
 public:
  virtual ~SpecialFolders() = default;
  // The folder's file-system path (no trailing separator), or nothing when the shell's
  // allocator, the folder or its path cannot be had.
  virtual std::optional<std::string> Path(int csidl) = 0;
};

namespace csidl {
inline constexpr int kStartup = 7;
inline constexpr int kCommonStartup = 24;
inline constexpr int kDesktopDirectory = 16;
}  // namespace csidl
