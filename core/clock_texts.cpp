#include "core/clock_texts.h"

#include <cstdio>

#include "core/texts.h"
#include "platform/text_format.h"

namespace {

std::string TwoDigitPair(int first, char separator, int second) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d%c%02d", first, separator, second);
  return buffer;
}

}  // namespace

std::string TodayText(const LocalTime& t) {
  return TwoDigitPair(t.month, '/', t.day);
}

std::string ClockText(const LocalTime& t) {
  return TwoDigitPair(t.hour, ':', t.minute);
}

std::string TrayTipText(const LocalTime& t) {
  return texts::kTrayTipPrefix + std::to_string(t.year) + texts::kYear + std::to_string(t.month) +
         texts::kMonth + std::to_string(t.day) + texts::kDay;
}

std::string ProgramFolderOf(const std::string& program_file_path) {
  const std::size_t delimiter = LastPathDelimiter(program_file_path);
  return delimiter == std::string::npos ? std::string()
                                        : program_file_path.substr(0, delimiter + 1);
}
