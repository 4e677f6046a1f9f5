#pragma once

#include "items/app_settings.h"

// Parts of the settings that tests set and compare as one: the window's place and the option
// page's five check boxes.
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const WindowBounds&) const = default;
};

struct OptionTicks {
  bool launcher = false;
  bool clear_recent = false;
  bool caps = false;
  bool num = false;
  bool menu_icon = false;

  bool operator==(const OptionTicks&) const = default;
};

inline WindowBounds BoundsOf(const AppSettings& s) {
  return {s.left, s.top, s.width, s.height};
}
inline void SetBounds(AppSettings& s, const WindowBounds& b) {
  s.left = b.left;
  s.top = b.top;
  s.width = b.width;
  s.height = b.height;
}
inline OptionTicks TicksOf(const AppSettings& s) {
  return {s.launcher, s.clear_recent, s.caps, s.num, s.menu_icon};
}
inline void SetTicks(AppSettings& s, const OptionTicks& t) {
  s.launcher = t.launcher;
  s.clear_recent = t.clear_recent;
  s.caps = t.caps;
  s.num = t.num;
  s.menu_icon = t.menu_icon;
}
