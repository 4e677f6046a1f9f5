#include "common/registry_values.h"

namespace {

// An open key that closes itself.
struct OpenKey {
  HKEY handle = nullptr;
  OpenKey(HKEY root, const std::string& key, bool create) {
    const LONG result = create ? RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &handle, nullptr)
                               : RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle);
    if (result != ERROR_SUCCESS) handle = nullptr;
  }
  ~OpenKey() {
    if (handle) RegCloseKey(handle);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
};

}  // namespace

bool RegKeyExists(HKEY root, const std::string& key) {
  return OpenKey(root, key, false).handle != nullptr;
}

RegValue ReadRegValue(HKEY root, const std::string& key, const std::string& name) {
  RegValue value;
  const OpenKey open(root, key, false);
  if (!open.handle) return value;
  DWORD size = 0;
  if (RegQueryValueExA(open.handle, name.c_str(), nullptr, &value.type, nullptr, &size) !=
      ERROR_SUCCESS)
    return value;
  value.bytes.assign(size, '\0');
  value.exists =
      RegQueryValueExA(open.handle, name.c_str(), nullptr, &value.type,
                       reinterpret_cast<BYTE*>(value.bytes.data()), &size) == ERROR_SUCCESS;
  value.bytes.resize(value.exists ? size : 0);
  return value;
}

std::vector<std::string> RegValueNames(HKEY root, const std::string& key) {
  std::vector<std::string> names;
  const OpenKey open(root, key, false);
  if (!open.handle) return names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD length = sizeof name;
    if (RegEnumValueA(open.handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  return names;
}

bool WriteRegValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                   const std::string& bytes) {
  const OpenKey open(root, key, true);
  return open.handle && RegSetValueExA(open.handle, name.c_str(), 0, type,
                                       reinterpret_cast<const BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}
