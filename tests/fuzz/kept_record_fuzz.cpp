// A kept file's record read back from the registry, where anyone may have written it: its name
// and origin come from the input. Whatever they say, listing, the repairs at load and giving
// back touch no file outside the adopted folder and the user's Startup folder.
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/fake_startup.h"
#include "fuzz_input.h"
#include "shell/adoption.h"
#include "shell/kept_records.h"
#include "shell/takeover_repair.h"
#include "shell/takeover_steps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string name = input.Piece(), origin = input.Piece();
  const std::string folder = "C:\\M\\Adopted\\", startup = "C:\\SU";
  if (IsPlainFileName(name)) {
    FUZZ_ASSERT(name.find('/') == std::string::npos && name.find(':') == std::string::npos &&
                name.find("..") == std::string::npos);
    FUZZ_ASSERT(IsFileInFolder(folder + name, folder));
  }

  FakeRawRegistry registry;
  FakeFileStore files;
  files.files = {{"C:\\M\\Secret.txt", "secret"},
                 {"C:\\SU\\Here.lnk", "here"},
                 {folder + name, "kept"},
                 {folder + "Stray.lnk", "here"}};
  const auto outside = [&] {
    for (const auto& [path, bytes] : files.files)
      if (path != "C:\\M\\Secret.txt" && !IsFileInFolder(path, startup) &&
          path.rfind(folder, 0) != 0)
        return true;
    return files.files["C:\\M\\Secret.txt"] != "secret";
  };
  const bool outside_before = outside();
  registry.keys["CU\\" + std::string(kAdoptedFilesPath)] = {PathRecord(name, origin)};
  const StartupLocations places{startup, "", folder, "m.exe"};
  ItemStore store;
  if (input.Byte() & 1)
    store.Append(LaunchItem{"kept", folder + name, "", "", "0", "", "", "", true});
  FakeMessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  Adoption adoption({registry, files, files}, dialogs, {store, [] { return true; }, [] {}}, folder);
  RepairTakeOver({registry, files, files}, places, store.Rows());
  for (const StartupEntry& entry : ListStartupEntries({registry, files, files}, places, {}))
    if (IsAdopted(entry)) adoption.GiveBack(entry);
  FUZZ_ASSERT(outside() == outside_before);
  return 0;
}
