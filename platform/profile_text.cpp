#include "platform/profile_text.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <unordered_map>

#include "platform/text_format.h"

namespace {

// The system's blanks around names and values: white space and the old end-of-file mark.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// One line of the file: [begin, end) without its ending, next is where the following starts.
struct Line {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  std::size_t at = 0;
  // A UTF-8 byte-order mark belongs to no line.
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") at = 3;
  while (at < bytes.size()) {
    std::size_t end = at;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    std::size_t next = end;
    if (next < bytes.size() && bytes[next] == '\r') ++next;
    if (next < bytes.size() && bytes[next] == '\n' && (next == end || bytes[end] == '\r')) ++next;
    if (next == end) next = bytes.size();  // the last line, without an ending
    lines.push_back({at, end, next});
    at = next;
  }
  return lines;
}

// The section name of a header line, or false when the line is no header.
bool HeaderName(std::string_view line, std::string_view* name) {
  std::size_t first = 0;
  while (first < line.size() && IsBlank(line[first])) ++first;
  if (first >= line.size() || line[first] != '[') return false;
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos || close < first) return false;
  *name = line.substr(first + 1, close - first - 1);
  return true;
}

// Where a key line's name and value lie, as offsets into the whole text.
struct KeyLine {
  std::string_view name;
  bool has_equals = false;
  std::size_t name_end = 0;     // end of the name without trailing blanks
  std::size_t value_begin = 0;  // value without leading blanks
  std::size_t value_end = 0;    // value without trailing blanks
};

KeyLine ParseKeyLine(std::string_view bytes, const Line& line) {
  KeyLine key;
  const std::string_view text = bytes.substr(line.begin, line.end - line.begin);
  const std::size_t equals = text.find('=');
  std::size_t name_begin = 0;
  while (name_begin < text.size() && IsBlank(text[name_begin])) ++name_begin;
  std::size_t name_end = equals == std::string_view::npos ? text.size() : equals;
  while (name_end > name_begin && IsBlank(text[name_end - 1])) --name_end;
  key.name = text.substr(name_begin, name_end - name_begin);
  key.name_end = line.begin + name_end;
  if (equals != std::string_view::npos) {
    key.has_equals = true;
    std::size_t value_begin = equals + 1;
    while (value_begin < text.size() && IsBlank(text[value_begin])) ++value_begin;
    std::size_t value_end = text.size();
    while (value_end > value_begin && IsBlank(text[value_end - 1])) --value_end;
    key.value_begin = line.begin + value_begin;
    key.value_end = line.begin + value_end;
  }
  return key;
}

// The first section of the name: its key lines, and where a new key would go.
struct SectionSpan {
  bool found = false;
  std::vector<KeyLine> keys;
  std::size_t end = 0;          // after the section's last line
  bool last_line_ended = true;  // whether that line has its ending
};

SectionSpan FindSection(std::string_view bytes, std::string_view section) {
  SectionSpan span;
  const std::vector<Line> lines = SplitLines(bytes);
  bool inside = false;
  for (const Line& line : lines) {
    std::string_view name;
    const std::string_view text = bytes.substr(line.begin, line.end - line.begin);
    if (HeaderName(text, &name)) {
      if (inside) break;
      if (SameName(name, section)) {
        inside = true;
        span.found = true;
        span.end = line.next;
        span.last_line_ended = line.next > line.end;
      }
      continue;
    }
    if (!inside) continue;
    span.end = line.next;
    span.last_line_ended = line.next > line.end;
    // Blank lines are no keys.
    if (Trimmed(text).empty()) continue;
    span.keys.push_back(ParseKeyLine(bytes, line));
  }
  return span;
}

// A key's value as a key read returns it: a pair of like quote marks around it goes.
std::string_view ReadValue(std::string_view bytes, const KeyLine& line) {
  std::string_view text;
  if (line.has_equals) text = bytes.substr(line.value_begin, line.value_end - line.value_begin);
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front())
    text = text.substr(1, text.size() - 2);
  return text;
}

std::string_view WithoutLeadingBlanks(std::string_view value) {
  while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
  return value;
}

// Key names as the system matches them, without a lower-case copy of each: a save looks up
// tens of thousands.
struct NameHash {
  std::size_t operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ull;
    for (char c : name)
      hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
    return hash;
  }
};
struct NameEqual {
  bool operator()(std::string_view a, std::string_view b) const { return SameName(a, b); }
};

}  // namespace

struct ProfileSection::Parsed {
  std::string_view bytes;
  std::string section;
  SectionSpan span;
  // The first key line of each name.
  std::unordered_map<std::string_view, const KeyLine*, NameHash, NameEqual> first;
};

ProfileSection::ProfileSection(std::string_view bytes, std::string_view section)
    : parsed_(std::make_unique<Parsed>()) {
  Parsed& p = *parsed_;
  p.bytes = bytes;
  p.section = std::string(section);
  p.span = FindSection(bytes, section);
  p.first.reserve(p.span.keys.size());
  for (const KeyLine& line : p.span.keys) p.first.emplace(line.name, &line);
}

ProfileSection::~ProfileSection() = default;

std::optional<std::string_view> ProfileSection::Value(std::string_view key) const {
  const auto found = parsed_->first.find(Trimmed(key));
  if (found == parsed_->first.end()) return std::nullopt;
  return ReadValue(parsed_->bytes, *found->second);
}

std::string ProfileSection::Edited(const std::vector<ProfileWrite>& writes) const {
  const std::string_view bytes = parsed_->bytes;
  const std::string_view section = parsed_->section;
  const SectionSpan& span = parsed_->span;
  const auto& existing = parsed_->first;

  // Replacements by position, and new keys in the order they were first written.
  std::map<std::size_t, std::pair<std::size_t, std::string>> replacements;  // begin -> end, text
  std::vector<ProfileWrite> added;
  std::unordered_map<std::string, std::size_t> added_at;  // lower-case name -> index in added
  for (const ProfileWrite& write : writes) {
    const std::string_view value = WithoutLeadingBlanks(write.value);
    const std::string_view key_name = Trimmed(write.key);
    const std::string lower = AsciiLower(key_name);
    if (const auto found = existing.find(key_name); found != existing.end()) {
      const KeyLine& line = *found->second;
      if (line.has_equals)
        replacements[line.value_begin] = {line.value_end, std::string(value)};
      else
        replacements[line.name_end] = {line.name_end, "=" + std::string(value)};
      continue;
    }
    if (const auto again = added_at.find(lower); again != added_at.end()) {
      added[again->second].value = value;
    } else {
      added_at.emplace(lower, added.size());
      added.push_back({std::string(key_name), std::string(value)});
    }
  }

  std::string inserted;
  for (const ProfileWrite& write : added) inserted += write.key + "=" + write.value + "\r\n";
  std::size_t insert_at = bytes.size();
  if (!added.empty()) {
    if (span.found) {
      insert_at = span.end;
      if (!span.last_line_ended) inserted.insert(0, "\r\n");
    } else {
      const bool ends_open = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r' &&
                             !(bytes.size() == 3 && bytes == "\xEF\xBB\xBF");
      inserted.insert(0, (ends_open ? "\r\n[" : "[") + std::string(section) + "]\r\n");
    }
  }

  std::string out;
  out.reserve(bytes.size() + inserted.size() + 64);
  std::size_t at = 0;
  for (const auto& [begin, replacement] : replacements) {
    out.append(bytes.substr(at, begin - at));
    out.append(replacement.second);
    at = replacement.first;
  }
  out.append(bytes.substr(at, insert_at - at));
  out.append(inserted);
  out.append(bytes.substr(insert_at));
  return out;
}

std::string EditProfileText(std::string_view bytes, std::string_view section,
                            const std::vector<ProfileWrite>& writes) {
  return ProfileSection(bytes, section).Edited(writes);
}

std::unordered_set<std::string> ProfileKeyNames(std::string_view bytes, std::string_view section) {
  std::unordered_set<std::string> names;
  for (const KeyLine& line : FindSection(bytes, section).keys) names.insert(AsciiLower(line.name));
  return names;
}

std::unordered_map<std::string, std::string> ProfileValues(std::string_view bytes,
                                                           std::string_view section) {
  std::unordered_map<std::string, std::string> values;
  for (const KeyLine& line : FindSection(bytes, section).keys)
    values.emplace(AsciiLower(line.name), std::string(ReadValue(bytes, line)));
  return values;
}

bool FindProfileValue(std::string_view bytes, std::string_view section, std::string_view key,
                      std::string* value) {
  const SectionSpan span = FindSection(bytes, section);
  for (const KeyLine& line : span.keys) {
    if (!SameName(line.name, Trimmed(key))) continue;
    if (value) *value = std::string(ReadValue(bytes, line));
    return true;
  }
  return false;
}
