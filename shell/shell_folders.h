#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"

// The user shell folders the shell publishes in the registry, by their place in its table.
enum class ShellFolderIndex : std::uint8_t {
  Desktop = 0,
  Favorites,
  Fonts,
  NetHood,
  Personal,
  Programs,
  Recent,
  SendTo,
  StartMenu,
  Startup,
  Templates,
};

// The folder's path with "\" appended ("\" alone when the value is missing or empty), or ""
// when the key cannot be opened. A value of a type other than text raises the registry error
// naming it. Reads the registry anew on every call.
std::string GetShellFolder(Registry& registry, ShellFolderIndex index);
