#include "logon/logon_history.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "core/program_log.h"
#include "logon/history_texts.h"
#include "platform/text_format.h"

namespace {

constexpr char kHistoryFileName[] = "Morvelin.hst";
constexpr char kLogOnTag[] = "L";
constexpr char kRowTag[] = "R";
constexpr char kNeverText[] = "-";
// Nine digits: about eleven days in milliseconds, far beyond any log-on, and no overflow.
constexpr std::size_t kMaxDigits = 9;

// Fields are separated by tabs and records by line breaks, so a stored text holds neither; the
// text is cut on a whole character so that the file stays valid Shift-JIS.
std::string StoredText(std::string_view text) {
  std::string stored;
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    // A lead byte without its trail byte stands alone, so that what follows it is still seen.
    const bool pair = IsShiftJisLeadByte(byte(at)) && at + 1 < text.size() &&
                      byte(at + 1) >= 0x40 && byte(at + 1) != 0x7F && byte(at + 1) <= 0xFC;
    const std::size_t width = pair ? 2 : 1;
    if (stored.size() + width > kMaxHistoryTextBytes) break;
    if (width == 1 && byte(at) < 0x20)
      stored += ' ';
    else
      stored.append(text.substr(at, width));
    at += width;
  }
  return stored;
}

std::string TimeText(std::int64_t ms) {
  return ms < 0 ? kNeverText : std::to_string(std::min<std::int64_t>(ms, 999999999));
}

// A time as the writer writes it; nullopt for anything else.
std::optional<std::int64_t> ParseTime(std::string_view text, bool never_allowed) {
  if (text == kNeverText) return never_allowed ? std::optional<std::int64_t>(kNever) : std::nullopt;
  if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::vector<std::string_view> SplitTabs(std::string_view line, std::size_t most) {
  std::vector<std::string_view> fields;
  while (fields.size() + 1 < most) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) break;
    fields.push_back(line.substr(0, tab));
    line.remove_prefix(tab + 1);
  }
  fields.push_back(line);
  return fields;
}

std::optional<LogOnTimeline> ParseLogOnLine(std::string_view line) {
  const auto fields = SplitTabs(line, 3);
  if (fields.size() != 3 || fields[0] != kLogOnTag) return std::nullopt;
  const auto total = ParseTime(fields[2], false);
  if (!total) return std::nullopt;
  LogOnTimeline timeline;
  timeline.began = StoredText(fields[1]);
  timeline.total_ms = *total;
  return timeline;
}

// due, started, ready, processor time, what it waited for, then the title: the title last, so
// that it may hold anything but a line break.
std::optional<RowTimeline> ParseRowLine(std::string_view line) {
  const auto fields = SplitTabs(line, 7);
  if (fields.size() != 7 || fields[0] != kRowTag) return std::nullopt;
  const auto due = ParseTime(fields[1], false);
  const auto started = ParseTime(fields[2], true);
  const auto ready = ParseTime(fields[3], true);
  const auto processor = ParseTime(fields[4], true);
  if (!due || !started || !ready || !processor) return std::nullopt;
  RowTimeline row;
  row.due_ms = *due;
  row.started_ms = *started;
  row.ready_ms = *ready;
  row.processor_ms = *processor;
  row.waited_for = StoredText(fields[5]);
  row.title = StoredText(fields[6]);
  return row;
}

std::string LogOnText(const LogOnTimeline& timeline) {
  std::string text = std::string(kLogOnTag) + '\t' + StoredText(timeline.began) + '\t' +
                     TimeText(std::max<std::int64_t>(timeline.total_ms, 0)) + "\r\n";
  const std::size_t rows = std::min(timeline.rows.size(), kMaxHistoryRows);
  for (std::size_t i = 0; i < rows; ++i) {
    const RowTimeline& row = timeline.rows[i];
    text += std::string(kRowTag) + '\t' + TimeText(std::max<std::int64_t>(row.due_ms, 0)) + '\t' +
            TimeText(row.started_ms) + '\t' + TimeText(row.ready_ms) + '\t' +
            TimeText(row.processor_ms) + '\t' + StoredText(row.waited_for) + '\t' +
            StoredText(row.title) + "\r\n";
  }
  return text;
}

}  // namespace

std::string HistoryFilePath(const std::string& program_folder) {
  return program_folder + kHistoryFileName;
}

std::vector<LogOnTimeline> ParseHistory(std::string_view bytes) {
  bytes = bytes.substr(0, kMaxHistoryFileBytes);
  std::vector<LogOnTimeline> history;
  bool taking_rows = false;  // the rows that follow belong to the last log-on read
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size());
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxHistoryLineBytes) {
      continue;
    }
    if (auto timeline = ParseLogOnLine(line)) {
      history.push_back(std::move(*timeline));
      taking_rows = true;
    } else if (auto row = ParseRowLine(line)) {
      if (taking_rows && history.back().rows.size() < kMaxHistoryRows)
        history.back().rows.push_back(std::move(*row));
    } else if (line.substr(0, 2) == std::string(kLogOnTag) + '\t') {
      // A damaged log-on line: its rows would be taken for the one before.
      taking_rows = false;
    }
  }
  if (history.size() > kHistoryLogOns)
    history.erase(history.begin(), history.end() - kHistoryLogOns);
  return history;
}

std::string FormatHistory(const std::vector<LogOnTimeline>& history) {
  std::vector<std::string> texts;
  std::size_t size = 0;
  // Newest first, so that what the bound leaves out is the oldest.
  for (auto it = history.rbegin(); it != history.rend() && texts.size() < kHistoryLogOns; ++it) {
    std::string text = LogOnText(*it);
    if (!texts.empty() && size + text.size() > kMaxHistoryFileBytes) break;
    size += text.size();
    texts.push_back(std::move(text));
  }
  std::string bytes;
  bytes.reserve(size);
  for (auto it = texts.rbegin(); it != texts.rend(); ++it) bytes += *it;
  return bytes;
}

std::vector<LogOnTimeline> ReadHistory(LogFiles& files, const std::string& path) {
  try {
    const std::int64_t size = files.SizeOf(path);
    if (size <= 0 || size > static_cast<std::int64_t>(kMaxHistoryFileBytes)) return {};
    return ParseHistory(files.ReadAll(path));
  } catch (const std::exception&) {
    return {};
  }
}

void AppendToHistory(LogFiles& files, ProfileFiles& profiles, const std::string& path,
                     const LogOnTimeline& timeline) {
  std::vector<LogOnTimeline> history = ReadHistory(files, path);
  history.push_back(timeline);
  const auto file = profiles.Open(path);
  file->RemoveLeftovers();
  file->ReplaceAll(FormatHistory(history));
}

void KeepInHistory(LogFiles& files, ProfileFiles& profiles, const std::string& program_folder,
                   const LogOnTimeline& timeline) noexcept {
  try {
    AppendToHistory(files, profiles, HistoryFilePath(program_folder), timeline);
  } catch (const std::exception& error) {
    AppendToLog(files, LogFilePath(program_folder),
                {FormatText(texts::kHistoryNotKept, OneLine(error.what()))});
  }
}
