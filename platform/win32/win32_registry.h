#pragma once

#include <memory>
#include <string_view>

#include "platform/registry.h"

// Keys under HKEY_CURRENT_USER. Values are REG_SZ; REG_EXPAND_SZ is read as text too.
class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenCurrentUserKey(std::string_view path) override;
  std::unique_ptr<RegistryKey> OpenExistingCurrentUserKey(std::string_view path) override;
};
