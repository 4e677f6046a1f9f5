#include "core/running_check.h"

#include "platform/text_format.h"

namespace {

bool EndsWithExe(const std::string& file) {
  constexpr char kExe[] = ".exe";
  if (file.size() < 4) return false;
  // A trail byte could look like a letter: only a name whose last four bytes are single-byte
  // characters can end in ".exe".
  for (size_t i = 0; i < file.size();) {
    const bool lead = IsShiftJisLeadByte(static_cast<unsigned char>(file[i]));
    if (lead && i + 1 >= file.size() - 4) return false;
    i += lead ? 2 : 1;
  }
  return HasAsciiWordAt(file, file.size() - 4, kExe);
}

}  // namespace

bool SamePath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsShiftJisLeadByte(static_cast<unsigned char>(a[i]))) {
      if (a[i] != b[i] || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool IsRunningProgram(const std::string& file, const std::vector<std::string>& running_paths) {
  if (!EndsWithExe(file)) return false;
  for (const std::string& path : running_paths)
    if (SamePath(file, path)) return true;
  return false;
}
