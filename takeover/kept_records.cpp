#include "takeover/kept_records.h"

#include "core/running_check.h"
#include "platform/text_format.h"

namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9 and the console's own, with any extension: the system
// opens the device whatever follows the dot.
bool IsDeviceName(const std::string& name) {
  std::string stem;
  for (const char c : name) {
    if (c == '.' || c == ' ') break;
    stem += Upper(c);
  }
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (stem == device) return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// A final backslash byte may be the second byte of a character such as "ソ".
bool EndsWithSeparator(const std::string& path) {
  bool separator = false;
  for (size_t i = 0; i < path.size(); ++i) {
    separator = path[i] == '\\';
    if (IsShiftJisLeadByte(static_cast<unsigned char>(path[i]))) ++i;
  }
  return separator;
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name.size() > 255 || name.back() == '.' || name.back() == ' ' ||
      name.front() == ' ')
    return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsShiftJisLeadByte(c)) {
      // A second byte outside its range would be read as a character of its own.
      const auto trail = i + 1 < name.size() ? static_cast<unsigned char>(name[++i]) : 0;
      if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
      continue;
    }
    if (c < 0x20 ||
        std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
      return false;
  }
  return name.find("..") == std::string::npos && !IsDeviceName(name);
}

bool IsFileInFolder(const std::string& path, const std::string& folder) {
  if (folder.empty()) return false;
  const std::string prefix = EndsWithSeparator(folder) ? folder : folder + "\\";
  return path.size() > prefix.size() && SamePath(path.substr(0, prefix.size()), prefix) &&
         IsPlainFileName(path.substr(prefix.size()));
}
