// The double-byte path split against a plain walk over the characters.
#include <string>

#include "fuzz_input.h"
#include "platform/text_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  std::size_t expected = std::string::npos;
  std::size_t expected_previous = std::string::npos;
  std::size_t previous = std::string::npos;
  for (std::size_t i = 0; i < path.size();) {
    const auto c = static_cast<unsigned char>(path[i]);
    // Written out here rather than taken from the code under test.
    const bool lead = ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < path.size();
    if (!lead && (path[i] == '\\' || path[i] == ':')) {
      expected = i;
      expected_previous = previous;
    }
    previous = i;
    i += lead ? 2 : 1;
  }
  std::size_t got_previous = 0;
  FUZZ_ASSERT(LastPathDelimiter(path, &got_previous) == expected);
  if (expected != std::string::npos) FUZZ_ASSERT(got_previous == expected_previous);
  return 0;
}
