#pragma once

#include <string>
#include <vector>

// True when the file is a program (".exe") whose full path is among the running ones, compared
// without regard to the case of its ASCII letters (the second byte of a double-byte character
// is compared as it is). Documents, shortcuts and addresses never count as running.
bool IsRunningProgram(const std::string& file, const std::vector<std::string>& running_paths);

// Path equality as the file system sees it: ASCII letters in either case, double-byte
// characters byte for byte.
bool SamePath(const std::string& a, const std::string& b);
