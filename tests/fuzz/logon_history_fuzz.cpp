// The log-on history file: any bytes read give a bounded history that writes and reads back as
// itself.
#include <string>

#include "fuzz_input.h"
#include "logon/logon_history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto history = ParseHistory(bytes);
  FUZZ_ASSERT(history.size() <= kHistoryLogOns);
  for (const LogOnTimeline& timeline : history) {
    FUZZ_ASSERT(timeline.rows.size() <= kMaxHistoryRows);
    for (const RowTimeline& row : timeline.rows)
      FUZZ_ASSERT(row.title.size() <= kMaxHistoryTextBytes && row.due_ms >= 0);
  }
  const std::string written = FormatHistory(history);
  FUZZ_ASSERT(written.size() <= kMaxHistoryFileBytes);
  FUZZ_ASSERT(ParseHistory(written) == history);
  return 0;
}
