// A Run value's command taken apart into the file and the arguments of a row: both are pieces
// of the command in order, without the blanks around them, and a quoted file keeps no quote. A
// command without a file, or with an open quote around a file that is not there, is refused.
#include <string>

#include "fakes/fake_entry_sources.h"
#include "fuzz_input.h"
#include "takeover/entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string command(reinterpret_cast<const char*>(data), size);
  std::string file = "stale", arguments = "stale";
  SplitCommand(command, file, arguments);
  const std::size_t at = command.find(file);
  FUZZ_ASSERT(at != std::string::npos);
  FUZZ_ASSERT(command.find(arguments, at + file.size()) != std::string::npos);
  FUZZ_ASSERT(arguments.empty() || (arguments.front() != ' ' && arguments.back() != ' '));
  const std::size_t first = command.find_first_not_of(' ');
  if (first != std::string::npos && command[first] == '"')
    FUZZ_ASSERT(file.find('"') == std::string::npos);
  else
    FUZZ_ASSERT(file.empty() == (first == std::string::npos));

  FakeFileStore files;
  files.files["C:\\a b.exe"] = "MZ";
  const bool open_quote = first != std::string::npos && command[first] == '"' &&
                          command.find('"', first + 1) == std::string::npos;
  TakeoverEntry entry;
  entry.command = command, entry.file = file;
  if (!IsBrokenCommand(entry, files)) {
    FUZZ_ASSERT(!file.empty());
    if (open_quote) FUZZ_ASSERT(file == "C:\\a b.exe");
  } else {
    FUZZ_ASSERT(file.empty() || open_quote);
  }
  return 0;
}
