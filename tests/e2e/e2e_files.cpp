#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "e2e_internal.h"

namespace e2e {

// ---- Registry ----

bool WindowKeyExists() {
  return RegKeyExists(HKEY_CURRENT_USER, kWindowKey);
}

RegValue ReadWindowValue(const char* name) {
  return ReadRegValue(HKEY_CURRENT_USER, kWindowKey, name);
}

std::vector<std::string> WindowValueNames() {
  return RegValueNames(HKEY_CURRENT_USER, kWindowKey);
}

bool WriteWindowValue(const char* name, const std::string& text) {
  return WriteRegValue(HKEY_CURRENT_USER, kWindowKey, name, REG_SZ, SzBytes(text));
}

std::string SzBytes(const std::string& text) {
  return text + std::string(1, '\0');
}

// ---- Files ----

std::string AppPath(const std::string& file_name) {
  return Settings().app_dir + "\\" + file_name;
}

std::string ItemFilePath() {
  return AppPath("Morvelin.ini");
}

std::vector<std::pair<std::string, std::string>> ProfileSection(const std::string& bytes,
                                                                const std::string& section) {
  std::vector<std::pair<std::string, std::string>> pairs;
  bool in_section = false;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      in_section = close != std::string::npos &&
                   lstrcmpiA(line.substr(1, close - 1).c_str(), section.c_str()) == 0;
      continue;
    }
    if (!in_section) continue;
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    pairs.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return pairs;
}

std::string ProfileValue(const std::vector<std::pair<std::string, std::string>>& pairs,
                         const std::string& key, bool* found) {
  for (const auto& [k, v] : pairs) {
    if (k == key) {
      if (found) *found = true;
      return v;
    }
  }
  if (found) *found = false;
  return {};
}

// ---- Marker ----

std::vector<Mark> ReadMarks() {
  std::vector<Mark> marks;
  const std::string folder = AppPath("marks");
  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA((folder + "\\*.txt").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return marks;
  do {
    Mark mark;
    mark.file = data.cFileName;
    std::string bytes;
    if (!ReadFileBytes(folder + "\\" + data.cFileName, &bytes)) continue;
    size_t start = 0;
    while (start < bytes.size()) {
      size_t end = bytes.find("\r\n", start);
      if (end == std::string::npos) end = bytes.size();
      std::string line = bytes.substr(start, end - start);
      start = end + 2;
      size_t equals = line.find('=');
      if (equals == std::string::npos) continue;
      std::string key = line.substr(0, equals);
      std::string value = line.substr(equals + 1);
      if (key == "exe") mark.exe = value;
      if (key == "args") mark.args = value;
      if (key == "cwd") mark.cwd = value;
      if (key == "show") mark.show = value;
      if (key == "port") mark.port = value;
      if (key == "created") mark.created = std::strtoull(value.c_str(), nullptr, 10);
    }
    marks.push_back(mark);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return marks;
}

}  // namespace e2e
