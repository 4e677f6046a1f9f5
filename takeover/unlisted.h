#pragma once

#include <string>

#include "platform/entry_sources.h"
#include "takeover/entries.h"

// A kept entry whose row the user deleted while keeping the entry away from the system. Its
// mark tells the repair at each start that no row is wanted, so that it is not taken for a
// taking over cut short and given back. Kept under the program's own key, a value per entry.
inline constexpr char kUnlistedValuesPath[] = "Software\\Brel\\Morvelin\\Adopted\\Unlisted\\Run";
inline constexpr char kUnlistedFilesPath[] = "Software\\Brel\\Morvelin\\Adopted\\Unlisted\\Startup";

// `place` is KeptValue or KeptFile, `name` the kept value's or file's name. Throws AppError
// when the mark cannot be stored.
void MarkUnlisted(RawRegistry& registry, EntryPlace place, const std::string& name);
// False also when the marks cannot be read: then the entry is treated as any other.
bool IsUnlisted(RawRegistry& registry, EntryPlace place, const std::string& name);
// Once the entry is taken over anew, given back or forgotten. A mark left behind only keeps a
// record without a row on the page rather than giving it back, so failing is harmless.
void DropUnlistedMark(RawRegistry& registry, EntryPlace place, const std::string& name);
