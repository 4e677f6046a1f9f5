#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/win32/owned_handle.h"

// The first icon of the file a row names, as the system extracts it, or nullptr. The file is
// found as the system would find it, and its icon directory is checked against its real size
// first: a damaged file is never handed to the system's extraction.
HICON ExtractCheckedIcon(const std::string& file);

// The same for many rows: a file named by several rows is checked and extracted once, and again
// only once its size or write time changed. Each call gives a copy of its own to free.
class CheckedIcons {
 public:
  HICON Extract(const std::string& file);

 private:
  struct Checked {
    std::uint64_t size = 0;
    FILETIME written{};
    OwnedIcon icon;  // none for a damaged file, or one without icons
  };
  std::unordered_map<std::string, Checked> checked_;  // by the path found
};
