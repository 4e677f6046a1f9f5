// A launch target for the log-on timing measure (scripts/bench): busy_marker NAME MILLIONS FOLDER
// records when it started, works the processor through MILLIONS million steps of arithmetic,
// then writes FOLDER\NAME.txt with "<start> <end>", both in 100 ns units since 1601 (UTC).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

unsigned long long Now() {
  FILETIME t;
  GetSystemTimeAsFileTime(&t);
  return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 4) return 2;
  const unsigned long long start = Now();
  const long long steps = std::atoll(__argv[2]) * 1000000LL;
  volatile unsigned value = 1;
  for (long long i = 0; i < steps; ++i) value = value * 1664525u + 1013904223u;
  const unsigned long long end = Now();
  // Written beside and then renamed, so that a reader never sees half a record.
  const std::string path = std::string(__argv[3]) + "\\" + __argv[1] + ".txt";
  FILE* out = std::fopen((path + ".part").c_str(), "wb");
  if (!out) return 1;
  std::fprintf(out, "%llu %llu\r\n", start, end);
  std::fclose(out);
  return MoveFileExA((path + ".part").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
