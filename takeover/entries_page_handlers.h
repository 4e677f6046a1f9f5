#pragma once

#include <functional>
#include <vector>

#include "takeover/entries.h"

// What the takeover page's list and buttons do.
struct EntriesPageHandlers {
  std::function<std::vector<TakeoverEntry>()> list;
  std::function<bool(const TakeoverEntry&)> take_over;
  std::function<bool(const TakeoverEntry&)> give_back;
  std::function<void()> uninstall;
};
