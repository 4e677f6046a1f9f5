#pragma once

#include "platform/registry_tree.h"

// Depth first with RegDeleteKeyA, which systems before Vista offer for one empty key only.
class Win32RegistryTree : public RegistryTree {
 public:
  bool DeleteCurrentUserTree(const std::string& path) override;
};
