// A kept file's record as anyone may have written it into the registry: name and origin from
// the input. Listing, the repairs at load and giving back touch no file outside the kept
// folder and the user's Startup folder, whatever the record says.
#include "fakes/fake_entry_sources.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "takeover/checked_steps.h"
#include "takeover/kept_records.h"
#include "takeover/repair.h"
#include "takeover/take_over.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string name = input.Piece(), origin = input.Piece(), folder = "C:\\M\\Adopted\\";
  if (IsPlainFileName(name))
    FUZZ_ASSERT(name.find_first_of("/:") == std::string::npos &&
                IsFileInFolder(folder + name, folder));
  FakeRawRegistry registry;
  FakeFileStore files;
  files.files = {{"C:\\M\\Secret.txt", "s"}, {"C:\\SU\\Here.lnk", "here"}, {folder + name, "kept"}};
  registry.keys["CU\\" + std::string(kKeptFilesPath)] = {PathRecord(name, origin)};
  ItemStore store;
  if (input.Byte() & 1) store.Append(LaunchItem{"k", folder + name, "", "", "0", "", "", "", true});
  FakeMessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  Takeover takeover({registry, files, files}, dialogs, {store, [] { return true; }, [] {}}, folder);
  const EntryLocations places{"C:\\SU", "", folder, "m.exe"};
  RepairTakeOver({registry, files, files}, places, store.Rows());
  for (const TakeoverEntry& entry : ListTakeoverEntries({registry, files, files}, places, {}))
    if (IsKept(entry)) takeover.GiveBack(entry);
  for (const auto& [path, bytes] : files.files)
    FUZZ_ASSERT(IsFileInFolder(path, "C:\\SU") || IsFileInFolder(path, folder) ||
                path == folder + name || (path == "C:\\M\\Secret.txt" && bytes == "s"));
  return 0;
}
