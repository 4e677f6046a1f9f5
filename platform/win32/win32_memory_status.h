#pragma once

#include <string>

#include "platform/memory_status.h"

// 64-bit counts: the 32-bit figures are wrong on a machine with more than 4 GB.
class Win32MemoryStatus : public MemoryStatus {
 public:
  MemoryFigures Read() override;
  std::string ThousandsSeparator() override;
};

// The 16-bit user module exists only on the old 32-bit consumer systems; a 64-bit program has
// no way into it, so every query fails before anything is called by ordinal.
class Win32FreeResources : public FreeResources {
 public:
  std::uint16_t Percent(std::uint16_t kind) override;
};
