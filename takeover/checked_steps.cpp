#include "takeover/checked_steps.h"

#include "core/running_check.h"

std::optional<RawValue> FindValue(RawRegistry& registry, Hive hive, const std::string& path,
                                  const std::string& name) {
  for (RawValue& value : registry.Values(hive, path))
    if (SamePath(value.name, name)) return std::move(value);
  return std::nullopt;
}

bool HoldsExactly(RawRegistry& registry, Hive hive, const std::string& path,
                  const RawValue& value) {
  try {
    const auto found = FindValue(registry, hive, path, value.name);
    return found && found->type == value.type && found->data == value.data;
  } catch (const std::exception&) {
    return false;
  }
}

bool PutExactly(RawRegistry& registry, Hive hive, const std::string& path, const RawValue& value) {
  return TryStep([&] { registry.Put(hive, path, value); }) &&
         HoldsExactly(registry, hive, path, value);
}

bool DeleteChecked(RawRegistry& registry, Hive hive, const std::string& path,
                   const std::string& name) {
  if (!TryStep([&] { registry.Delete(hive, path, name); })) return false;
  try {
    return !FindValue(registry, hive, path, name);
  } catch (const std::exception&) {
    return false;
  }
}

bool CreateExactly(FileStore& files, const std::string& path, const std::string& bytes,
                   const std::string& facts_from, std::string& reason) {
  try {
    files.Create(path, bytes);
    files.CopyFacts(facts_from, path);
  } catch (const std::exception& error) {
    reason = error.what();
    return false;
  }
  return files.Read(path) == bytes;
}

bool DeleteFileChecked(FileStore& files, const std::string& path) {
  return TryStep([&] { files.Delete(path); }) && !files.Exists(path);
}

RawValue PathRecord(const std::string& name, const std::string& origin) {
  return RawValue{name, kRegText, origin + std::string(1, '\0')};
}
