// The log-on report: the older half of any log is dropped on whole lines, and report lines built
// from any title and system text stay one line.
#include <string>

#include "fuzz_input.h"
#include "logon/logon_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string title = input.Piece();
  const std::string detail = input.Piece();
  const std::string log = input.Rest();

  const std::string kept = NewerHalf(log);
  FUZZ_ASSERT(kept.size() <= log.size() / 2);
  FUZZ_ASSERT(log.compare(log.size() - kept.size(), kept.size(), kept) == 0);
  FUZZ_ASSERT(kept.empty() || log[log.size() - kept.size() - 1] == '\n');

  RowReport row;
  row.title = title;
  row.detail = detail;
  row.band = detail;
  for (const RowOutcome outcome :
       {RowOutcome::Failed, RowOutcome::Error, RowOutcome::OutsideBand}) {
    row.outcome = outcome;
    const std::string line = RowLine(row);
    FUZZ_ASSERT(line.find('\r') == std::string::npos && line.find('\n') == std::string::npos);
  }
  return 0;
}
