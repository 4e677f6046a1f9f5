#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The bytes of an INI file, edited as the system's per-key profile writes would edit it, but
// touching only the bytes of the values written: other sections, unknown keys, comments, line
// endings, a byte-order mark and bytes that are no valid text all stay as they were.
//
// Lines end at CR, LF or CR LF. A line whose first non-blank byte is "[" and which holds a "]"
// opens the section named by the bytes between the "[" and its last "]". Any other line is a
// key: its name is the text before the first "=" (or the whole line), without surrounding
// blanks; its value is the text after the "=", without surrounding blanks. Section and key
// names match without regard to ASCII case; the first section of a name is the one used, and
// the first key of a name in it.
struct ProfileWrite {
  std::string key;
  std::string value;
};

// One section of the bytes, read once: a save of thousands of rows both looks up what is
// stored and edits it, and reading the section twice cost as much as the rest of the save.
// The bytes must outlive it.
class ProfileSection {
 public:
  ProfileSection(std::string_view bytes, std::string_view section);
  ~ProfileSection();
  ProfileSection(const ProfileSection&) = delete;
  ProfileSection& operator=(const ProfileSection&) = delete;

  // As FindProfileValue finds it; nothing when the key is missing.
  std::optional<std::string_view> Value(std::string_view key) const;
  // As EditProfileText edits the bytes.
  std::string Edited(const std::vector<ProfileWrite>& writes) const;

 private:
  struct Parsed;
  std::unique_ptr<Parsed> parsed_;
};

// Sets each key of the section in turn. An existing key gets its value bytes replaced; a new
// key is added at the end of the section; a missing section is added at the end of the file.
// New lines end in CR LF. Leading blanks of a value are dropped, as the system drops them.
std::string EditProfileText(std::string_view bytes, std::string_view section,
                            const std::vector<ProfileWrite>& writes);

// The names of the keys of the section's first occurrence, in ASCII lower case.
std::unordered_set<std::string> ProfileKeyNames(std::string_view bytes, std::string_view section);

// Every key of the section's first occurrence by its ASCII lower-case name, with its value as
// FindProfileValue gives it (the first key of a name wins).
std::unordered_map<std::string, std::string> ProfileValues(std::string_view bytes,
                                                           std::string_view section);

// The value of a key as a key read of the system returns it for such a file, without the
// quote marks the system removes; nothing when the section or the key is missing.
bool FindProfileValue(std::string_view bytes, std::string_view section, std::string_view key,
                      std::string* value);
