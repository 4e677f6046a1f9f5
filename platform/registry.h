#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// One opened key under HKEY_CURRENT_USER. Sections are subkeys of it; every value is text.
// Failures throw AppError with the program's message for them.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // The value's text, or nothing when the section or the value is missing.
  virtual std::optional<std::string> ReadText(std::string_view section, std::string_view name) = 0;
  // Creates the section when it is missing; stores the text as REG_SZ.
  virtual void WriteText(std::string_view section, std::string_view name,
                         std::string_view text) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens with full access, creating the key when it is missing. The path starts with "\".
  virtual std::unique_ptr<RegistryKey> OpenCurrentUserKey(std::string_view path) = 0;
  // Opens with full access without creating anything; null when the key cannot be opened.
  virtual std::unique_ptr<RegistryKey> OpenExistingCurrentUserKey(std::string_view path) = 0;
};
