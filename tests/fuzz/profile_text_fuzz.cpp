// The item-file editor: the values written read back, every other key keeps its value, and a
// second identical edit changes nothing.
#include <map>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "platform/profile_text.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

// A value as one line can hold it and a key read returns it.
std::string Storable(std::string value) {
  std::string out;
  for (char c : value)
    if (c != '\r' && c != '\n') out += c;
  while (!out.empty() && IsBlank(out.front())) out.erase(out.begin());
  while (!out.empty() && IsBlank(out.back())) out.pop_back();
  if (out.size() >= 2 && (out.front() == '"' || out.front() == '\'') && out.back() == out.front())
    out += 'x';
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string bytes = input.Piece();
  const char* const sections[] = {"Items", "items", "Other"};
  const std::string section = sections[input.Byte() % 3];
  const char* const keys[] = {"T0", "t0", "C0", "D1", "P12", "Key_x"};
  std::vector<ProfileWrite> writes;
  while (!input.Empty() && writes.size() < 16)
    writes.push_back({keys[input.Byte() % 6], Storable(input.Piece())});

  // What every key of the section read before the edit.
  std::map<std::string, std::string> before;
  for (const std::string& name : ProfileKeyNames(bytes, section)) {
    std::string value;
    FUZZ_ASSERT(FindProfileValue(bytes, section, name, &value));
    before[name] = value;
  }

  const std::string edited = EditProfileText(bytes, section, writes);
  FUZZ_ASSERT(EditProfileText(bytes, section, {}) == bytes);
  FUZZ_ASSERT(EditProfileText(edited, section, writes) == edited);

  std::map<std::string, std::string> expected = before;
  for (const ProfileWrite& write : writes) {
    std::string lower = write.key;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    expected[lower] = write.value;
  }
  for (const auto& [name, value] : expected) {
    std::string read;
    FUZZ_ASSERT(FindProfileValue(edited, section, name, &read));
    FUZZ_ASSERT(read == value);
  }
  FUZZ_ASSERT(ProfileKeyNames(edited, section).size() == expected.size());
  return 0;
}
