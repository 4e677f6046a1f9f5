#pragma once

#include <exception>
#include <optional>
#include <string>

#include "platform/entry_sources.h"

// The checked steps that taking over, giving back and the repairs at load are made of: each
// says whether the system now holds what was meant, never trusting a call that did not throw.

// Value names are compared as the registry does, without regard to case.
std::optional<RawValue> FindValue(RawRegistry& registry, Hive hive, const std::string& path,
                                  const std::string& name);
bool HoldsExactly(RawRegistry& registry, Hive hive, const std::string& path, const RawValue& value);
// Writes the value and reads it back: true only when the registry holds exactly it.
bool PutExactly(RawRegistry& registry, Hive hive, const std::string& path, const RawValue& value);
bool DeleteChecked(RawRegistry& registry, Hive hive, const std::string& path,
                   const std::string& name);
// Writes a new file with the bytes, and the attributes and times of `facts_from`, and reads it
// back; a failed write leaves its reason in `reason`.
bool CreateExactly(FileStore& files, const std::string& path, const std::string& bytes,
                   const std::string& facts_from, std::string& reason);
bool DeleteFileChecked(FileStore& files, const std::string& path);
// The record of a file kept in the kept folder: its name there, and where it came from.
RawValue PathRecord(const std::string& name, const std::string& origin);

// Undoing a step is worth trying even when it fails: what it leaves is still kept somewhere.
template <typename Step>
bool TryStep(Step step) {
  try {
    step();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
