#include "takeover/unlisted.h"

#include "core/running_check.h"
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
  TryStep([&] {
    for (const RawValue& mark : registry.Values(Hive::CurrentUser, MarksPath(place)))
      marked = marked || SamePath(mark.name, name);
  });
  return marked;
}

void DropUnlistedMark(RawRegistry& registry, EntryPlace place, const std::string& name) {
  TryStep([&] { registry.Delete(Hive::CurrentUser, MarksPath(place), name); });
}
