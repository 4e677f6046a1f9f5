#pragma once

// Fakes of the start-up places: registry values of any type, files as bytes, shortcuts known by
// their bytes. Each operation can be made to fail, or to do its work wrongly, by its target.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/app_error.h"
#include "platform/startup_sources.h"

class FakeRawRegistry : public RawRegistry {
 public:
  std::map<std::string, std::vector<RawValue>> keys;  // "CU\path" / "LM\path"
  std::set<std::string> failing_puts;                 // "CU\path\name"
  std::set<std::string> lying_puts;                   // stored with other data, no error
  std::set<std::string> failing_deletes;              // "CU\path\name"
  std::set<std::string> read_only;                    // keys not writable

  static std::string Key(Hive hive, const std::string& path) {
    return (hive == Hive::CurrentUser ? "CU\\" : "LM\\") + path;
  }
  std::vector<RawValue> Values(Hive hive, const std::string& path) override {
    const auto it = keys.find(Key(hive, path));
    return it == keys.end() ? std::vector<RawValue>{} : it->second;
  }
  void Put(Hive hive, const std::string& path, const RawValue& value) override {
    const std::string key = Key(hive, path);
    if (failing_puts.count(key + "\\" + value.name) || read_only.count(key))
      throw AppError("put " + value.name);
    Erase(key, value.name);
    RawValue stored = value;
    if (lying_puts.count(key + "\\" + value.name)) stored.data += "?";
    keys[key].push_back(stored);
  }
  void Delete(Hive hive, const std::string& path, const std::string& name) override {
    const std::string key = Key(hive, path);
    if (failing_deletes.count(key + "\\" + name) || read_only.count(key))
      throw AppError("delete " + name);
    Erase(key, name);
  }
  bool MayWrite(Hive hive, const std::string& path) override {
    return keys.count(Key(hive, path)) && !read_only.count(Key(hive, path));
  }

 private:
  void Erase(const std::string& key, const std::string& name) {
    auto& values = keys[key];
    std::erase_if(values, [&](const RawValue& v) { return v.name == name; });
  }
};

class FakeFileStore : public FileStore {
 public:
  std::map<std::string, std::string> files;  // path -> bytes
  std::set<std::string> folders;
  std::set<std::string> failing_creates;  // paths
  std::set<std::string> lying_creates;    // written with other bytes, no error
  std::set<std::string> failing_deletes;  // paths

  std::vector<std::string> FileNames(const std::string& folder) override {
    std::vector<std::string> names;
    const std::string prefix = folder + "\\";
    for (const auto& [path, bytes] : files)
      if (path.rfind(prefix, 0) == 0 && path.find('\\', prefix.size()) == std::string::npos)
        names.push_back(path.substr(prefix.size()));
    return names;
  }
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  std::optional<std::string> Read(const std::string& path) override {
    const auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  void Create(const std::string& path, const std::string& bytes) override {
    if (failing_creates.count(path) || files.count(path)) throw AppError("create " + path);
    files[path] = lying_creates.count(path) ? bytes.substr(0, bytes.size() / 2) : bytes;
  }
  void Delete(const std::string& path) override {
    if (failing_deletes.count(path)) throw AppError("delete " + path);
    files.erase(path);
  }
  void MakeFolder(const std::string& path) override { folders.insert(path); }
};

// A shortcut is known by its bytes, wherever the file is moved.
class FakeShortcuts : public ShortcutReader {
 public:
  explicit FakeShortcuts(FakeFileStore& files) : files_(files) {}
  std::map<std::string, ShortcutFields> by_bytes;
  std::optional<ShortcutFields> ReadLink(const std::string& link_file) override {
    const auto bytes = files_.Read(link_file);
    if (!bytes || !by_bytes.count(*bytes)) return std::nullopt;
    return by_bytes.at(*bytes);
  }

 private:
  FakeFileStore& files_;
};
