#pragma once

#include <string>

#include "platform/shell_link.h"
#include "platform/special_folders.h"

// The folder part of a path, up to and including its last "\" or ":" (empty when it has none).
std::string FolderPart(const std::string& path);
// The part after the last "\" or ":".
std::string FileNamePart(const std::string& path);
// "<folder>\<name or the target's file name>へのショートカット.lnk".
std::string ShortcutFileName(const std::string& folder, const std::string& name,
                             const std::string& target,
                             const std::string& suffix = "へのショートカット.lnk");

// Writes a shortcut to the target into the special folder. Throws AppError when no link object
// can be made; false when the folder cannot be resolved or the file not written. The arguments
// are set only when not empty.
bool CreateShortcut(ShellLinks& links, SpecialFolders& folders, const std::string& target,
                    const std::string& name, int folder_csidl,
                    const std::string& arguments = std::string(),
                    const std::string& file_name_suffix = "へのショートカット.lnk");
