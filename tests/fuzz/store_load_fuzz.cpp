// The store's load over a stored "Count" and item file made from the input, then a save and a
// second load: whatever loads saves, and whatever saves loads back the same.
#include <string>

#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "items/integer_text.h"
#include "items/store_persistence.h"

namespace {

const std::string kPath = "C:\\Fuzz\\Morvelin.ini";

// Values a key read of the system can return: no blanks around them, no line breaks.
bool Clean(const ItemStore& store) {
  for (const LaunchItem& row : store.Rows())
    for (char letter : kFieldLetters) {
      const std::string& v = FieldOf(row, letter);
      if (v.empty()) continue;
      const auto blank = [](char c) {
        return c == ' ' || c == '\t' || (c >= 0x0A && c <= 0x0D) || c == 0x1A;
      };
      if (blank(v.front()) || blank(v.back())) return false;
      if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return false;
    }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string count = input.Piece();
  const std::string bytes = input.Rest();
  // Rows cost time, not coverage.
  if (const auto n = ParseInteger(count); n && *n > 64) return 0;

  FakeRegistry registry;
  registry.Set("Window", "Count", count);
  FakeProfileFiles files;
  files.Open(kPath)->ReplaceAll(bytes);
  StorePersistence persistence(registry, files, kPath);
  AppSettings settings;
  ItemStore store;
  try {
    persistence.Load(settings, store);
  } catch (const AppError&) {
    FUZZ_ASSERT(store.Empty());
    return 0;
  }
  FUZZ_ASSERT(store.Size() == (store.count > 0 ? store.count : 0));
  if (!persistence.RowsRead()) FUZZ_ASSERT(store.Empty());
  if (!Clean(store)) return 0;

  try {
    persistence.Save(settings, store);
  } catch (const AppError&) {
    return 0;  // a value the file cannot hold, refused before anything was written
  }
  AppSettings settings_again;
  ItemStore again;
  persistence.Load(settings_again, again);
  FUZZ_ASSERT(again.Rows() == store.Rows());
  FUZZ_ASSERT(settings_again == settings);
  return 0;
}
