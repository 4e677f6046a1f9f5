#pragma once

#include <cstdint>
#include <string>

#include "platform/memory_status.h"

// Kilobytes from a byte count, rounded to the nearest (halves to even), as "###,##0KB" with
// the given thousands separator.
std::string KilobyteText(std::uint64_t bytes, const std::string& thousands_separator);

// The free-resources line: " System：85%  User：85%  GDI：90%".
std::string FreeResourceLine(const std::string& system, const std::string& user,
                             const std::string& gdi);

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kLime{0, 255, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};

// The signal colour of the line: red below 18, yellow below 34 (system or user), else lime.
Rgb FreeResourceColour(int system_percent, int user_percent);

struct FreeResourceTexts {
  std::string system, gdi, user;
};
// The three figures, asked in the order system, GDI, user; an error ends it.
FreeResourceTexts GetFreeResourceTexts(FreeResources& resources);

// What the about box shows after a refresh.
struct AboutFigures {
  std::string total_memory;  // Tmem
  std::string free_memory;   // AMem
  std::string resources;     // FreeRes
  Rgb resources_colour = kLime;
};
AboutFigures RefreshSystemInfo(MemoryStatus& memory, FreeResources& resources);
