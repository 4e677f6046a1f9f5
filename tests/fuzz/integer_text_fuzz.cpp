// The integer reader: never more than 32 bits, decimal text read back exactly.
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "items/integer_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> value = ParseInteger(text);
  if (value) {
    FUZZ_ASSERT(ParseInteger(std::to_string(*value)) == value);
  }
  // Plain decimal text: whatever a 64-bit reading says, within 32 bits.
  bool decimal = !text.empty() && text.size() < 18;
  for (std::size_t i = 0; i < text.size() && decimal; ++i)
    decimal = (text[i] >= '0' && text[i] <= '9') || (i == 0 && text[i] == '-' && text.size() > 1);
  if (decimal) {
    const long long wide = std::strtoll(text.c_str(), nullptr, 10);
    const bool fits = wide >= INT32_MIN && wide <= INT32_MAX;
    FUZZ_ASSERT(value.has_value() == fits);
    if (fits) FUZZ_ASSERT(*value == wide);
  }
  return 0;
}
