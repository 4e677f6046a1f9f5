#pragma once

#include <string>

#include "common/settings_parts.h"
#include "settings_window/win32/main_window.h"

// One part of the settings shown through the window's whole settings, the rest kept.
template <typename Change>
void ShowChanged(MainWindow& window, Change change) {
  AppSettings settings = window.Settings();
  change(settings);
  window.ShowSettings(settings);
}
inline void ShowBounds(MainWindow& window, const WindowBounds& bounds) {
  ShowChanged(window, [&](AppSettings& s) { SetBounds(s, bounds); });
}
inline void ShowTicks(MainWindow& window, const OptionTicks& ticks) {
  ShowChanged(window, [&](AppSettings& s) { SetTicks(s, ticks); });
}
inline void ShowHomePage(MainWindow& window, const std::string& text) {
  ShowChanged(window, [&](AppSettings& s) { s.home_page = text; });
}
