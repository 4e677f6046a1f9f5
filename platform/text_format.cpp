#include "platform/text_format.h"

std::string FormatText(std::string_view pattern, std::string_view argument) {
  std::string out(pattern);
  if (const auto at = out.find("%s"); at != std::string::npos) out.replace(at, 2, argument);
  return out;
}

std::size_t LastPathDelimiter(std::string_view path, std::size_t* previous_start) {
  std::size_t delimiter = std::string_view::npos;
  std::size_t before_delimiter = std::string_view::npos;
  std::size_t previous = std::string_view::npos;
  for (std::size_t i = 0; i < path.size();) {
    const auto c = static_cast<unsigned char>(path[i]);
    const std::size_t length = IsShiftJisLeadByte(c) && i + 1 < path.size() ? 2 : 1;
    if (length == 1 && (c == '\\' || c == ':')) {
      delimiter = i;
      before_delimiter = previous;
    }
    previous = i;
    i += length;
  }
  if (previous_start) *previous_start = before_delimiter;
  return delimiter;
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

bool HasAsciiWordAt(std::string_view text, std::size_t at, std::string_view word) {
  if (at > text.size() || text.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (AsciiLower(text[at + i]) != word[i]) return false;
  return true;
}
