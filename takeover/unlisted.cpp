#include "takeover/unlisted.h"

#include "takeover/checked_steps.h"

namespace {

const char* MarksPath(EntryPlace place) {
  return place == EntryPlace::KeptFile ? kUnlistedFilesPath : kUnlistedValuesPath;
}

}  // namespace

void MarkUnlisted(RawRegistry& registry, EntryPlace place, const std::string& name) {
  registry.Put(Hive::CurrentUser, MarksPath(place), RawValue{name, kRegText, std::string(1, '\0')});
}

bool IsUnlisted(RawRegistry& registry, EntryPlace place, const std::string& name) {
  bool marked = false;
  TryStep(
      [&] { marked = FindValue(registry, Hive::CurrentUser, MarksPath(place), name).has_value(); });
  return marked;
}

void DropUnlistedMark(RawRegistry& registry, EntryPlace place, const std::string& name) {
  TryStep([&] { registry.Delete(Hive::CurrentUser, MarksPath(place), name); });
}
