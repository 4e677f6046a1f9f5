#include "platform/win32/win32_registry_tree.h"

#include <windows.h>

#include <vector>

#include "platform/win32/owned_handle.h"

namespace {

void DeleteTree(HKEY parent, const std::string& name) {
  {
    OwnedRegistryKey key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE,
                      key.Receive()) != ERROR_SUCCESS)
      return;
    // Named first and deleted afterwards: deleting while enumerating shifts the indices.
    std::vector<std::string> children;
    char child[256];
    for (DWORD i = 0;; ++i) {
      DWORD size = sizeof child;
      if (RegEnumKeyExA(key.Get(), i, child, &size, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      children.emplace_back(child, size);
    }
    for (const std::string& each : children) DeleteTree(key.Get(), each);
  }
  RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

bool Win32RegistryTree::DeleteCurrentUserTree(const std::string& path) {
  DeleteTree(HKEY_CURRENT_USER, path);
  OwnedRegistryKey key;
  return RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) ==
         ERROR_FILE_NOT_FOUND;
}
