#include "core/program_log.h"

#include <exception>

namespace {

constexpr char kLogFileName[] = "Morvelin.log";
constexpr char kFault[] = "内部ｴﾗｰ: ";

}  // namespace

std::string LogFilePath(const std::string& program_folder) {
  return program_folder + kLogFileName;
}

std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) line += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::string FaultLine(const std::string& detail) {
  return kFault + OneLine(detail);
}

std::string NewerHalf(const std::string& log) {
  if (log.empty()) return log;
  // The kept part starts no earlier than the middle; the line running across it goes too.
  const size_t first_kept = log.size() - log.size() / 2;
  const size_t end = log.find('\n', first_kept - 1);
  return end == std::string::npos ? std::string() : log.substr(end + 1);
}

void AppendToLog(LogFiles& files, const std::string& path,
                 const std::vector<std::string>& lines) noexcept {
  try {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    const std::int64_t size = files.SizeOf(path);
    const std::string log = size > 0 ? files.ReadAll(path) : std::string();
    const std::string kept = size > kLogCapBytes ? NewerHalf(log) : log;
    // A last line left without its end (an editor, a run cut short) keeps to itself.
    if (!kept.empty() && kept.back() != '\n') bytes = "\r\n" + bytes;
    if (size > kLogCapBytes) {
      files.Replace(path, kept + bytes);
    } else {
      files.Append(path, bytes);
    }
  } catch (const std::exception&) {
    // A report that cannot be written is no reason to disturb the log-on.
  }
}
