#pragma once

#include <string>

// Removes a whole key of the current user's registry, its subkeys and values included.
class RegistryTree {
 public:
  virtual ~RegistryTree() = default;
  // True when the key under HKEY_CURRENT_USER is gone afterwards (also when there was none).
  virtual bool DeleteCurrentUserTree(const std::string& path) = 0;
};
