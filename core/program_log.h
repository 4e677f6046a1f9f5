#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/log_files.h"

// Morvelin.log, beside the program: the log-on report and the detail of internal errors.

// The log grows to this size; the next write then drops its oldest half.
inline constexpr std::int64_t kLogCapBytes = 256 * 1024;

// ProgramFolder + "Morvelin.log".
std::string LogFilePath(const std::string& program_folder);

// Line breaks and other control bytes would split one log line into several.
std::string OneLine(const std::string& text);

// An error of no known kind that ended an event, with the library's own words.
std::string FaultLine(const std::string& detail);

// The newer part of a log of size bytes: at most half of it, beginning at the start of a line.
std::string NewerHalf(const std::string& log);

// Appends the lines, each ended by CR LF, on a line of their own, first dropping the oldest half of
// a log that passed the cap. A log that cannot be written is given up silently: the run must not
// notice.
void AppendToLog(LogFiles& files, const std::string& path,
                 const std::vector<std::string>& lines) noexcept;
