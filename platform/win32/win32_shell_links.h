#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/entry_sources.h"
#include "platform/shell_link.h"
#include "platform/special_folders.h"

// Shell links through IShellLinkA and IPersistFile; COM must be initialised on the thread.
class Win32ShellLinks : public ShellLinks, public ShortcutReader {
 public:
  std::optional<ShortcutFields> ReadLink(const std::string& link_file) override;
  std::unique_ptr<ShellLink> Create() override;
  bool LinksTo(const std::string& link_file, const std::string& target) override;
  bool Remove(const std::string& link_file) override;
};

class Win32SpecialFolders : public SpecialFolders {
 public:
  std::optional<std::string> Path(int csidl) override;
};

// COM for the user-interface thread, for the life of the object.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_ = false;
};
