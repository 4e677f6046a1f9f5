#pragma once

#include <string>

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

  bool operator==(const AppSettings&) const = default;
};
