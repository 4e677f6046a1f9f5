#pragma once

#include <string>

inline constexpr int kMaxWaitSeconds = 60;

// The values of the registry section "Window", with their defaults when missing.
struct AppSettings {
  int left = 0;
  int top = 0;
  int height = 333;
  int width = 485;
  std::string home_page;      // MP
  bool launcher = true;       // Lanc
  bool clear_recent = false;  // Clear
  bool caps = false;
  bool num = false;
  bool menu_icon = false;  // MenuIcon
  // Added later; earlier versions neither read nor write them.
  bool skip_running = false;  // Skip: already running programs are not started again
  int wait_seconds = 0;       // Wait: seconds between log-on launches, 0 to kMaxWaitSeconds

  bool operator==(const AppSettings&) const = default;
};
