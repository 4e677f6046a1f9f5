#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/entry_sources.h"

// Values through RegEnumValueA / RegSetValueExA, byte for byte with their types.
class Win32RawRegistry : public RawRegistry {
 public:
  std::vector<RawValue> Values(Hive hive, const std::string& path) override;
  void Put(Hive hive, const std::string& path, const RawValue& value) override;
  void Delete(Hive hive, const std::string& path, const std::string& name) override;
  bool MayWrite(Hive hive, const std::string& path) override;
};

// Folders are read in the system's wide characters, so that a name the ANSI code page lacks is
// known for what it is.
class Win32FileStore : public FileStore {
 public:
  std::vector<FolderFile> FileNames(const std::string& folder) override;
  bool Exists(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override;
  void Create(const std::string& path, const std::string& bytes) override;
  void CopyFacts(const std::string& from, const std::string& to) override;
  void Delete(const std::string& path) override;
  void MakeFolder(const std::string& path) override;
  std::string Expanded(const std::string& text) override;
};
