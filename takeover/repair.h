#pragma once

#include <string>
#include <vector>

#include "items/launch_item.h"
#include "takeover/entries.h"

// Puts right what a taking over or giving back that was cut short (a kill, a power cut, a
// failed undo) left behind, so that every entry is started once at the next log-on:
// - kept with no row: given back to its place, unless the user deleted its row keeping it;
//   where its place holds it already, the record goes; where the place holds something else
//   of that name, it stays kept and is named;
// - kept with a row and also in its place (a giving back cut short): the copy in the place
//   goes, and it stays taken over;
// - a file in the kept folder without a record: removed when its original is in place.
// Only for rows that were read: an unread list would make every kept entry look rowless.
// Returns one line for each repair, for the log-on report and the window's notice.
std::vector<std::string> RepairTakeOver(EntrySources sources, const EntryLocations& locations,
                                        const std::vector<LaunchItem>& rows);
