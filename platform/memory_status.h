#pragma once

#include <cstdint>
#include <string>

struct MemoryFigures {
  std::uint64_t total_physical = 0;  // bytes
  std::uint64_t available_physical = 0;
};

// The machine's memory and the locale's digit grouping.
class MemoryStatus {
 public:
  virtual ~MemoryStatus() = default;
  virtual MemoryFigures Read() = 0;
  virtual std::string ThousandsSeparator() = 0;
};

// The free system resources of the 16-bit user module, where one exists.
class FreeResources {
 public:
  virtual ~FreeResources() = default;
  enum Kind : std::uint16_t { kSystem = 0, kGdi = 1, kUser = 2 };
  // Percent free of the kind; throws AppError when it cannot be read.
  virtual std::uint16_t Percent(std::uint16_t kind) = 0;
};
