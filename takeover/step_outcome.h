#pragma once

#include <string>

#include "core/item_store.h"
#include "shell/startup_entries.h"

// What the user is told once the entry is back where it was: where, and how to hand it to the
// program again.
std::string GivenBackText(const StartupEntry& entry);
// What the user is told once the entry is taken over: where its original is kept and how to
// put it back.
std::string AdoptedText(const StartupEntry& entry, const std::string& adopted_folder);
// A row that starts the kept copy of a file is made to start the file put back in its place;
// false when the row starts something else.
bool PointRowAtOrigin(const StartupEntry& entry, ItemStore& store, int row);
