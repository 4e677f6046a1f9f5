// The icon directory check over any file: it never reads past the end it was told of, and it
// asks for no more than a directory or one image header at a time.
#include <string>

#include "fuzz_input.h"
#include "platform/icon_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  const bool sound = IconFileIsSound(file.size(), [&](std::uint64_t offset, std::size_t length) {
    FUZZ_ASSERT(offset <= file.size() && length <= file.size() - offset);
    return file.substr(offset, length);
  });
  // A sound file stays sound when bytes are added after it; a file cut to nothing never is.
  if (sound) {
    const std::string longer = file + std::string(16, '\0');
    FUZZ_ASSERT(IconFileIsSound(longer.size(), [&](std::uint64_t offset, std::size_t length) {
      return longer.substr(offset, length);
    }));
  }
  FUZZ_ASSERT(!IconFileIsSound(0, [](std::uint64_t, std::size_t) { return std::string(); }));
  return 0;
}
