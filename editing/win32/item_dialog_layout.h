#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The item dialog's pixel layout is the one source of where its controls are: the template in
// resources/item_dialog.rc gives only their order, styles, texts and ids.

inline constexpr int kItemDialogIconSize = 32;

// Sizes the dialog's client area and moves every control to its place.
void PlaceItemDialogControls(HWND dialog);
// Makes the up-down control the edit's buddy with the pair filling the edit's place.
void AttachUpDown(HWND dialog, int edit_id, int updown_id);

// The common "open" dialog, starting at initial_file; nothing when the user cancels.
std::optional<std::string> AskFileToOpenFrom(HWND owner, const std::string& initial_file);

// The system's folder picker, starting at initial; nothing when the user cancels.
std::optional<std::string> AskFolderFrom(HWND owner, const std::string& initial);
