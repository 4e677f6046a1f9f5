#include "platform/win32/win32_readiness.h"

#include "platform/win32/win32_sockets.h"

// After winsock2.h, so that it does not bring in the old winsock.
#include <windows.h>

namespace {

class Win32WatchedProcess : public WatchedProcess {
 public:
  explicit Win32WatchedProcess(HANDLE process) : process_(process), id_(GetProcessId(process)) {}
  ~Win32WatchedProcess() override { CloseHandle(process_); }
  Win32WatchedProcess(const Win32WatchedProcess&) = delete;
  Win32WatchedProcess& operator=(const Win32WatchedProcess&) = delete;

  bool InputIdle() override { return WaitForInputIdle(process_, 0) == 0; }
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

class Win32ConnectionAttempt : public ConnectionAttempt {
 public:
  Win32ConnectionAttempt(const Sockets& sockets, SOCKET socket)
      : sockets_(sockets), socket_(socket) {}
  ~Win32ConnectionAttempt() override { sockets_.closesocket(socket_); }
  Win32ConnectionAttempt(const Win32ConnectionAttempt&) = delete;
  Win32ConnectionAttempt& operator=(const Win32ConnectionAttempt&) = delete;

  State Check() override {
    if (state_ != State::Pending) return state_;
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket_, &writable);
    FD_SET(socket_, &failed);
    timeval no_wait{0, 0};
    if (sockets_.select(0, nullptr, &writable, &failed, &no_wait) == SOCKET_ERROR)
      return state_ = State::Refused;
    if (InSet(socket_, failed)) return state_ = State::Refused;
    if (!InSet(socket_, writable)) return state_;
    int error = 0;
    int size = sizeof error;
    sockets_.getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
    return state_ = error == 0 ? State::Accepted : State::Refused;
  }

 private:
  const Sockets& sockets_;
  SOCKET socket_;
  State state_ = State::Pending;
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
  const Sockets* const sockets = Sockets::Get();
  if (!sockets) return nullptr;
  std::string host = host_port.substr(0, colon);
  const std::string port = host_port.substr(colon + 1);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  // An address never waits; only a name goes to the resolver, which may take a moment.
  if (sockets->getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) {
    hints.ai_flags = AI_NUMERICSERV;
    if (sockets->getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return nullptr;
  }
  SOCKET s = sockets->socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (s == INVALID_SOCKET) {
    sockets->freeaddrinfo(found);
    return nullptr;
  }
  u_long non_blocking = 1;
  sockets->ioctlsocket(s, FIONBIO, &non_blocking);
  const int result = sockets->connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen));
  sockets->freeaddrinfo(found);
  if (result == SOCKET_ERROR && sockets->WSAGetLastError() != WSAEWOULDBLOCK) {
    sockets->closesocket(s);
    return nullptr;
  }
  return std::make_unique<Win32ConnectionAttempt>(*sockets, s);
}
