#include "shell/shell_folders.h"

#include <memory>
#include <optional>

namespace {

constexpr char kShellFoldersKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr const char* kValueNames[] = {
    "Desktop", "Favorites", "Fonts",      "NetHood", "Personal",  "Programs",
    "Recent",  "SendTo",    "Start Menu", "Startup", "Templates",
};

}  // namespace

std::string GetShellFolder(Registry& registry, ShellFolderIndex index) {
  const std::unique_ptr<RegistryKey> key = registry.OpenExistingCurrentUserKey(kShellFoldersKey);
  if (!key) return {};
  const std::optional<std::string> path =
      key->ReadText("", kValueNames[static_cast<std::uint8_t>(index)]);
  return path.value_or("") + "\\";
}
