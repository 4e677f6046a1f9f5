// The band and once rules of the log-on run over rows made from the input: one mark per row,
// launches only inside the band, and once dates only for once rows that passed the checks.
#include <string>

#include "core/launcher.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "logon/logon_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  // The clock texts are the program's own: never a line break.
  RunClock now{input.Piece(), input.Piece()};
  std::erase_if(now.today, [](char c) { return c == '\r' || c == '\n'; });
  ItemStore store;
  while (!input.Empty() && store.Size() < 8) {
    LaunchItem row;
    row.file = input.Piece();
    row.band = input.Piece();
    row.once = input.Piece();
    row.state = input.Piece();
    row.enabled = input.Byte() & 1;
    store.Append(row);
  }
  store.count = store.Size();

  FakeShell shell;
  Launcher launcher(shell);
  FakeProfileFiles files;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  LogOnRun run(store, now, files, "C:\\Fuzz\\Morvelin.ini", launcher, dialogs, LogOnOptions{});
  run.Begin();
  const RunMarks& marks = run.Marks();

  FUZZ_ASSERT(static_cast<int>(marks.size()) == store.Size());
  std::size_t launched = 0;
  for (int i = 0; i < store.Size(); ++i) {
    const LaunchItem& row = store.Row(i);
    if (marks[i] != "*") continue;
    ++launched;
    FUZZ_ASSERT(!row.file.empty() && row.enabled && InTimeBand(row.band, now.clock));
  }
  FUZZ_ASSERT(shell.calls.size() <= launched);
  for (const std::string& write : files.write_log) FUZZ_ASSERT(write[0] == 'D');
  return 0;
}
