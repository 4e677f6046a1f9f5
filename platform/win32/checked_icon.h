#pragma once

#include <windows.h>

#include <string>

// The first icon of the file a row names, as the system extracts it, or nullptr. The file is
// found as the system would find it, and its icon directory is checked against its real size
// first: a damaged file is never handed to the system's extraction.
HICON ExtractCheckedIcon(const std::string& file);
