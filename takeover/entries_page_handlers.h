#pragma once

#include <functional>
#include <vector>

#include "shell/startup_entries.h"

// What the entries page's list and buttons do.
struct EntriesPageHandlers {
  std::function<std::vector<StartupEntry>()> list;
  std::function<bool(const StartupEntry&)> adopt;
  std::function<bool(const StartupEntry&)> give_back;
  std::function<void()> uninstall;
};
