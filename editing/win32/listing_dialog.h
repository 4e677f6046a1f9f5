#pragma once

#include <windows.h>

#include <vector>

#include "editing/listing.h"
#include "items/launch_item.h"

// Shows the read-only listing of the rows modally; the dialog is gone when this returns.
void ShowListingDialog(HINSTANCE instance, HWND owner, const std::vector<LaunchItem>& rows,
                       const ListingPlacement& placement);

// The user locale's case-insensitive ordering, as -1, 0 or +1.
int CompareUserLocaleText(const std::string& a, const std::string& b);
