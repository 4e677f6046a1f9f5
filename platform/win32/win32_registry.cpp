#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <string>
#include <utility>

#include "platform/app_error.h"
#include "platform/platform_texts.h"
#include "platform/text_format.h"
#include "platform/win32/owned_handle.h"

namespace {

class Win32RegistryKey : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}

  std::optional<std::string> ReadText(std::string_view section, std::string_view name) override {
    const std::string section_name(section);
    const std::string value_name(name);
    OwnedRegistryKey sub;
    const LONG opened =
        RegOpenKeyExA(key_.Get(), section_name.c_str(), 0, KEY_QUERY_VALUE, sub.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (opened != ERROR_SUCCESS) throw AppError(FormatText(texts::kErrReadValue, value_name));

    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(sub.Get(), value_name.c_str(), nullptr, &type, nullptr, &size);
    std::string data;
    bool filled = false;  // the first query only reports the type and size
    // The value may grow between the size query and the read: ask again until it fits.
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
      if (type != REG_SZ && type != REG_EXPAND_SZ) {
        throw AppError(FormatText(texts::kErrBadValueType, value_name));
      }
      if (result == ERROR_SUCCESS && filled) break;
      filled = true;
      data.assign(size + 1, '\0');
      size = static_cast<DWORD>(data.size());
      result = RegQueryValueExA(sub.Get(), value_name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (result == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (result != ERROR_SUCCESS) throw AppError(FormatText(texts::kErrReadValue, value_name));
    data.resize(size);
    // The text ends at its NUL; data stored without one is taken whole.
    if (const auto nul = data.find('\0'); nul != std::string::npos) data.resize(nul);
    return data;
  }

  void WriteText(std::string_view section, std::string_view name, std::string_view text) override {
    const std::string section_name(section);
    const std::string value_name(name);
    const std::string data(text);
    OwnedRegistryKey sub;
    if (RegCreateKeyExA(key_.Get(), section_name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, sub.Receive(), nullptr) != ERROR_SUCCESS) {
      throw AppError(FormatText(texts::kErrCreateKey, section_name));
    }
    if (RegSetValueExA(sub.Get(), value_name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1)) != ERROR_SUCCESS) {
      throw AppError(FormatText(texts::kErrWriteValue, value_name));
    }
  }

 private:
  OwnedRegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenCurrentUserKey(std::string_view path) {
  std::string relative(path);
  if (!relative.empty() && relative.front() == '\\') relative.erase(0, 1);
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    throw AppError(FormatText(texts::kErrCreateKey, path));
  }
  return std::make_unique<Win32RegistryKey>(key);
}

std::unique_ptr<RegistryKey> Win32Registry::OpenExistingCurrentUserKey(std::string_view path) {
  std::string relative(path);
  if (!relative.empty() && relative.front() == '\\') relative.erase(0, 1);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, relative.c_str(), 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32RegistryKey>(key);
}
