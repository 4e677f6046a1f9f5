// Times the main window's Update against a bare program that writes the same bytes with one
// WriteFile, in one run, for ROWS rows. Run in the program's folder, which holds morvelin.exe
// and save_bench.exe; the settings must say Count = ROWS.
//   save_bench ROWS RUNS          prints "rows R: update ms ..., bare write ms ..., ratio X"
//   save_bench --write FROM TO    the bare program: FROM's bytes into TO with one WriteFile
//   save_bench --flush FROM TO    the same, flushed to disk before the file is closed, as a
//                                 save that survives a power cut must be
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../resources/resource_ids.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes, bool flush = false) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      (!flush || FlushFileBuffers(file));
  CloseHandle(file);
  return ok && written == bytes.size();
}

double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The item file as a person would write it, every once flag off with a date, so that Update
// has to rewrite all the D values ("000/00").
std::string ItemFile(int rows, const char* date) {
  std::string bytes = "[Items]\r\n";
  for (int i = 0; i < rows; ++i) {
    const std::string n = std::to_string(i);
    bytes += "T" + n + "=Item " + n + "\r\nC" + n + "=1\r\nF" + n + "=C:\\bench\\marker.exe\r\n";
    bytes += "W" + n + "=C:\\bench\r\nA" + n + "=--row " + n + "\r\nS" + n + "=0\r\nH" + n +
             "=00002359\r\nD" + n + "=" + date + "\r\nP" + n + "=\r\n";
  }
  return bytes;
}

bool RunAndWait(const std::string& command) {
  STARTUPINFOA start_info{};
  start_info.cb = sizeof start_info;
  PROCESS_INFORMATION process{};
  std::string line = command;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &start_info, &process))
    return false;
  WaitForSingleObject(process.hProcess, 120000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// A visible top-level window of the process with that class, or null.
HWND FindWindowOf(DWORD pid, const char* class_name) {
  struct Search {
    DWORD pid;
    const char* class_name;
    HWND found;
  } search{pid, class_name, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char name[32] = {};
        GetClassNameA(window, name, sizeof name);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && lstrcmpA(name, s->class_name) == 0 && IsWindowVisible(window)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindMain(DWORD pid) {
  return FindWindowOf(pid, "TForm1");
}

bool ShowsMessageBox(DWORD pid) {
  return FindWindowOf(pid, "#32770") != nullptr;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One Update: from the posted command until the file on disk is the saved list. The window is
// visible before it has finished filling and painting its list; with `when_idle` the command
// waits until the window takes input, as a person's click does, so that the figure is the save
// alone. Without it the figure also holds the rest of the window's start (the earlier measure).
double TimedUpdate(const std::string& saved, bool when_idle) {
  STARTUPINFOA start_info{};
  start_info.cb = sizeof start_info;
  PROCESS_INFORMATION process{};
  char line[] = "morvelin.exe";
  if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start_info,
                      &process))
    return -1;
  HWND main = nullptr;
  for (int i = 0; i < 60000 && !(main = FindMain(process.dwProcessId)); ++i) Sleep(1);
  double elapsed = -1;
  if (main && when_idle) WaitForInputIdle(process.hProcess, 30000);
  if (main) {
    const double start = NowMs();
    PostMessageA(main, WM_COMMAND, IDC_UPDATE_BTN, 0);
    // A save that shows a message box or ends the program never writes the list: give up on
    // it at once rather than waiting out the limit.
    while (NowMs() - start < 120000 && !ShowsMessageBox(process.dwProcessId) &&
           WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
      if (ReadBytes("Morvelin.ini") == saved) {
        elapsed = NowMs() - start;
        break;
      }
      Sleep(1);
    }
    if (elapsed < 0) std::printf("the Update did not write the list; see the program's window\n");
    PostMessageA(main, WM_COMMAND, IDC_CANCEL_BTN, 0);
  }
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && (std::string(argv[1]) == "--write" || std::string(argv[1]) == "--flush"))
    return WriteBytes(argv[3], ReadBytes(argv[2]), std::string(argv[1]) == "--flush") ? 0 : 1;
  if (argc != 3) return 2;
  const int rows = std::atoi(argv[1]);
  const int runs = std::atoi(argv[2]);
  const std::string before = ItemFile(rows, "012/06");
  const std::string saved = ItemFile(rows, "000/00");
  WriteBytes("saved.ini", saved);

  std::vector<double> updates, starts, writes, flushed;
  for (int run = 0; run <= runs; ++run) {
    WriteBytes("Morvelin.ini", before);
    const double with_start = TimedUpdate(saved, false);
    WriteBytes("Morvelin.ini", before);
    const double update = TimedUpdate(saved, true);
    WriteBytes("Morvelin.ini", before);
    const double start = NowMs();
    RunAndWait("save_bench.exe --write saved.ini Morvelin.ini");
    const double write = NowMs() - start;
    const bool written = ReadBytes("Morvelin.ini") == saved;
    WriteBytes("Morvelin.ini", before);
    const double flush_start = NowMs();
    RunAndWait("save_bench.exe --flush saved.ini Morvelin.ini");
    const double flush = NowMs() - flush_start;
    if (update < 0 || with_start < 0 || !written || ReadBytes("Morvelin.ini") != saved) {
      std::printf("rows %d: a run failed\n", rows);
      return 1;
    }
    if (run == 0) continue;  // warms the caches of both
    updates.push_back(update);
    starts.push_back(with_start);
    writes.push_back(write);
    flushed.push_back(flush);
  }
  const double u = Median(updates), s = Median(starts), w = Median(writes);
  std::printf("rows %d: median update %.1f ms, bare one-write program %.1f ms, ratio %.2f\n", rows,
              u, w, u / w);
  const double f = Median(flushed);
  std::printf(
      "rows %d: against a bare program that also flushes the file to disk %.1f ms, "
      "ratio %.2f\n",
      rows, f, u / f);
  std::printf("rows %d: posted as soon as the window shows (earlier measure) %.1f ms, ratio %.2f\n",
              rows, s, s / w);
  return 0;
}
