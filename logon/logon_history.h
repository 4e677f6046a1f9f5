#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "logon/logon_timeline.h"
#include "platform/log_files.h"
#include "platform/profile_file.h"

// The timelines of the last log-ons, oldest first, kept in a small Shift-JIS text file beside the
// item file. The file is only ever a record: whatever is wrong with it costs the history, never
// the list, so reading it never fails.
inline constexpr std::size_t kHistoryLogOns = 30;
// Bounds on what is read, so that a damaged or foreign file cannot hold up the program.
inline constexpr std::size_t kMaxHistoryLineBytes = 4096;
inline constexpr std::size_t kMaxHistoryRows = 1000;
inline constexpr std::size_t kMaxHistoryFileBytes = 4 << 20;
// A title or a waited-for text longer than this is kept cut, on a whole character.
inline constexpr std::size_t kMaxHistoryTextBytes = 260;

// ProgramFolder + "Morvelin.hst".
std::string HistoryFilePath(const std::string& program_folder);

// What can be read of the bytes: damaged or overlong lines are passed over, rows beyond
// kMaxHistoryRows per log-on dropped, and only the newest kHistoryLogOns log-ons kept.
std::vector<LogOnTimeline> ParseHistory(std::string_view bytes);
// The file's bytes; the oldest log-ons are left out while the file would exceed its bound.
std::string FormatHistory(const std::vector<LogOnTimeline>& history);

// The history at the path; empty when there is none, or when it is too large or unreadable.
std::vector<LogOnTimeline> ReadHistory(LogFiles& files, const std::string& path);
// Adds a log-on after the others and drops the oldest beyond kHistoryLogOns; the file is
// replaced in one step, so an interrupted write leaves the old history whole. Throws AppError
// when it cannot be written.
void AppendToHistory(LogFiles& files, ProfileFiles& profiles, const std::string& path,
                     const LogOnTimeline& timeline);

// The end of a log-on run: its timeline joins the history. A history that cannot be written is
// noted in the log beside the program, and the run goes on as if nothing happened.
void KeepInHistory(LogFiles& files, ProfileFiles& profiles, const std::string& program_folder,
                   const LogOnTimeline& timeline) noexcept;
