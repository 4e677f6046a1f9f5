#include "platform/win32/win32_readiness.h"

#include <windows.h>

#include "platform/win32/win32_connection.h"

namespace {

class Win32WatchedProcess : public WatchedProcess {
 public:
  explicit Win32WatchedProcess(HANDLE process) : process_(process), id_(GetProcessId(process)) {}
  ~Win32WatchedProcess() override { CloseHandle(process_); }
  Win32WatchedProcess(const Win32WatchedProcess&) = delete;
  Win32WatchedProcess& operator=(const Win32WatchedProcess&) = delete;

  // A console program has no input to wait for: the call fails at once, and the program is as
  // ready as it will get (else a row waiting on it would always wait out its limit).
  bool InputIdle() override {
    const DWORD idle = WaitForInputIdle(process_, 0);
    return idle == 0 || idle == WAIT_FAILED;
  }
  bool ShowsWindow() override {
    struct Search {
      DWORD id;
      bool found;
    } search{id_, false};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          s.found = owner == s.id && IsWindowVisible(window);
          return !s.found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  bool Ended() override { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
  std::optional<std::int64_t> ProcessorMs() override {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process_, &created, &exited, &kernel, &user)) return std::nullopt;
    const auto units = [](const FILETIME& t) {
      return (static_cast<std::int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (units(kernel) + units(user)) / 10000;  // 100-ns units
  }

 private:
  HANDLE process_;
  DWORD id_;
};

}  // namespace

std::unique_ptr<WatchedProcess> WatchProcess(void* process_handle) {
  if (!process_handle) return nullptr;
  return std::make_unique<Win32WatchedProcess>(static_cast<HANDLE>(process_handle));
}

bool Win32Readiness::PathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<ConnectionAttempt> Win32Readiness::Connect(const std::string& host_port) {
  const std::size_t colon = host_port.rfind(':');
  if (colon == std::string::npos || colon == 0) return nullptr;
  std::string host = host_port.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  return StartConnection(host, host_port.substr(colon + 1));
}
