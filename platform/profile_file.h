#pragma once

#include <memory>
#include <string>
#include <string_view>

// An INI file, read and written key by key; nothing is cached and nothing is rewritten whole.
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  virtual const std::string& Path() const = 0;
  // The whole value, however long; empty when the key is missing.
  virtual std::string ReadKey(std::string_view section, std::string_view key) = 0;
  // Throws AppError("<path> に書き込めません") when the key cannot be written.
  virtual void WriteKey(std::string_view section, std::string_view key, std::string_view value) = 0;
};

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  virtual std::unique_ptr<ProfileFile> Open(const std::string& path) = 0;
};
