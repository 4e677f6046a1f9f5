#pragma once

#include <string>

#include "platform/system.h"

// mm/dd
std::string TodayText(const LocalTime& t);
// hh:mm
std::string ClockText(const LocalTime& t);
// "Morvelin 2026年12月6日"
std::string TrayTipText(const LocalTime& t);
// The folder of a program file path, with its trailing backslash (double-byte aware).
std::string ProgramFolderOf(const std::string& program_file_path);
