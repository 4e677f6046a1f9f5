// The icon directory check over any file: it never asks for bytes past the end it was told of.
#include "fuzz_input.h"
#include "platform/icon_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  IconFileIsSound(file.size(), [&](std::uint64_t offset, std::size_t length) {
    FUZZ_ASSERT(offset <= file.size() && length <= file.size() - offset);
    return file.substr(offset, length);
  });
  return 0;
}
