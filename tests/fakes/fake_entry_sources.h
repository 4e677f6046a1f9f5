#pragma once

// Fakes of the start-up places: registry values of any type, files as bytes, shortcuts known by
// their bytes. `failing` names what goes wrong: "put <target>", "delete <target>", "create
// <path>" throw; "lie <target>" stores other bytes without a word; "readonly <key>".

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/app_error.h"

// The process ends at a chosen change: the change before it is done, that one is not (a file
// then holds half its bytes), and nothing after it runs. Not a std::exception, so no undo
// catches it.
struct Killed {};
struct KillSwitch {
  int changes_left = -1;  // -1: never
  void Change() {
    if (changes_left == 0) throw Killed{};
    if (changes_left > 0) --changes_left;
  }
};
#include "platform/entry_sources.h"

class FakeRawRegistry : public RawRegistry {
 public:
  std::map<std::string, std::vector<RawValue>> keys;  // "CU\path" / "LM\path"
  std::set<std::string> failing;                      // targets "CU\path\name"
  KillSwitch* kill = nullptr;
  std::function<void()> after_put;  // someone else's change, just after ours

  static std::string Key(Hive hive, const std::string& path) {
    return (hive == Hive::CurrentUser ? "CU\\" : "LM\\") + path;
  }
  std::vector<RawValue> Values(Hive hive, const std::string& path) override {
    return keys.count(Key(hive, path)) ? keys[Key(hive, path)] : std::vector<RawValue>{};
  }
  void Put(Hive hive, const std::string& path, const RawValue& value) override {
    const std::string key = Key(hive, path), target = key + "\\" + value.name;
    if (failing.count("put " + target) || !MayWrite(hive, path)) throw AppError("put");
    if (kill) kill->Change();
    std::erase_if(keys[key], [&](const RawValue& v) { return v.name == value.name; });
    keys[key].push_back(
        {value.name, value.type, value.data + (failing.count("lie " + target) ? "?" : "")});
    if (after_put) after_put();
  }
  void Delete(Hive hive, const std::string& path, const std::string& name) override {
    const std::string key = Key(hive, path);
    if (failing.count("delete " + key + "\\" + name) || !MayWrite(hive, path))
      throw AppError("delete");
    if (failing.count("keep " + key + "\\" + name)) return;
    if (kill) kill->Change();
    std::erase_if(keys[key], [&](const RawValue& v) { return v.name == name; });
  }
  bool MayWrite(Hive hive, const std::string& path) override {
    return !failing.count("readonly " + Key(hive, path));
  }
};

class FakeFileStore : public FileStore, public ShortcutReader {
 public:
  std::map<std::string, std::string> files;     // path -> bytes
  std::map<std::string, ShortcutFields> links;  // by the shortcut file's bytes
  std::set<std::string> failing;                // targets: paths
  std::map<std::string, int> facts;             // attributes and times, as one number
  std::set<std::string> inexact;                // paths whose names the code page lacks
  KillSwitch* kill = nullptr;
  std::function<void()> after_create;

  std::vector<FolderFile> FileNames(const std::string& folder) override {
    std::vector<FolderFile> names;
    for (const auto& [path, bytes] : files)
      if (path.rfind(folder + "\\", 0) == 0)
        names.push_back({path.substr(folder.size() + 1), !inexact.count(path)});
    return names;
  }
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  std::optional<std::string> Read(const std::string& path) override {
    return files.count(path) ? std::optional<std::string>(files[path]) : std::nullopt;
  }
  void Create(const std::string& path, const std::string& bytes) override {
    if (failing.count("create " + path) || files.count(path)) throw AppError("create");
    if (kill && kill->changes_left == 0) files[path] = bytes.substr(0, bytes.size() / 2);
    if (kill) kill->Change();
    files[path] = failing.count("lie " + path) ? bytes.substr(0, bytes.size() / 2) : bytes;
    if (after_create) after_create();
  }
  void CopyFacts(const std::string& from, const std::string& to) override {
    if (failing.count("facts " + to) || !files.count(to)) throw AppError("facts");
    if (kill) kill->Change();
    facts[to] = facts.count(from) ? facts[from] : 0;
  }
  void Delete(const std::string& path) override {
    if (failing.count("delete " + path)) throw AppError("delete");
    if (kill) kill->Change();
    files.erase(path);
    facts.erase(path);
  }
  void MakeFolder(const std::string& path) override {
    if (failing.count("folder " + path)) throw AppError("folder");
  }
  std::string Expanded(const std::string& text) override {
    const size_t at = text.find("%SystemDrive%");
    return at == std::string::npos ? text : std::string(text).replace(at, 13, "C:");
  }
  std::optional<ShortcutFields> ReadLink(const std::string& path) override {
    if (!files.count(path) || !links.count(files[path])) return std::nullopt;
    return links[files[path]];
  }
};
