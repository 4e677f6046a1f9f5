#pragma once

#include <string>

// The records of what was taken over are read back from the registry, where anyone may have
// changed them: a record's file name and path are input, and must stay inside their folder.

// A name that is one file in one folder: no separator, no drive, no "." or "..", no device
// name the system would open instead of a file, nothing the system would trim away.
bool IsPlainFileName(const std::string& name);

// Whether the path names a plain file directly inside the folder (spelt with or without its
// trailing backslash).
bool IsFileInFolder(const std::string& path, const std::string& folder);
