#include "platform/win32/win32_connection.h"

#include "platform/win32/win32_sockets.h"

// After winsock2.h, so that it does not bring in the old winsock.
#include <windows.h>

#include <cstring>
#include <vector>

namespace {

struct Candidate {
  int family, type, protocol;
  sockaddr_storage address;
  int length;
};

// The addresses of a lookup's result, copied out of the list the system owns.
template <typename Info>
std::vector<Candidate> CandidatesOf(const Info* info) {
  std::vector<Candidate> candidates;
  // The cast: the cross headers name the wide list's next entry by a misspelt tag.
  for (; info; info = reinterpret_cast<const Info*>(info->ai_next)) {
    if (!info->ai_addr || info->ai_addrlen > sizeof(sockaddr_storage)) continue;
    Candidate candidate{info->ai_family,
                        info->ai_socktype,
                        info->ai_protocol,
                        {},
                        static_cast<int>(info->ai_addrlen)};
    std::memcpy(&candidate.address, info->ai_addr, info->ai_addrlen);
    candidates.push_back(candidate);
  }
  return candidates;
}

// A name the system looks up in the background. Its block must outlive the lookup, which the
// system writes into when it ends.
struct NameLookup {
  OVERLAPPED overlapped{};
  ADDRINFOEXW* found = nullptr;
  HANDLE cancel = nullptr;
};

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return wide;
}

// Null when the system will not look the name up in the background.
NameLookup* StartLookup(const Sockets& sockets, const std::string& host, const std::string& port) {
  auto* lookup = new NameLookup;
  lookup->overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ADDRINFOEXW hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  hints.ai_flags = AI_NUMERICSERV;
  const int started = lookup->overlapped.hEvent
                          ? sockets.GetAddrInfoExW(Wide(host).c_str(), Wide(port).c_str(), NS_ALL,
                                                   nullptr, &hints, &lookup->found, nullptr,
                                                   &lookup->overlapped, nullptr, &lookup->cancel)
                          : WSA_NOT_ENOUGH_MEMORY;
  if (started == WSA_IO_PENDING) return lookup;
  // Done at once: the result is in the block all the same.
  if (started == 0 && SetEvent(lookup->overlapped.hEvent)) return lookup;
  if (lookup->found) sockets.FreeAddrInfoExW(lookup->found);
  if (lookup->overlapped.hEvent) CloseHandle(lookup->overlapped.hEvent);
  delete lookup;
  return nullptr;
}

class Win32ConnectionAttempt : public ConnectionAttempt {
 public:
  Win32ConnectionAttempt(const Sockets& sockets, std::vector<Candidate> candidates)
      : sockets_(sockets), candidates_(std::move(candidates)) {}
  Win32ConnectionAttempt(const Sockets& sockets, NameLookup* lookup)
      : sockets_(sockets), lookup_(lookup) {}
  ~Win32ConnectionAttempt() override {
    if (lookup_) EndLookup();
    CloseSocket();
  }
  Win32ConnectionAttempt(const Win32ConnectionAttempt&) = delete;
  Win32ConnectionAttempt& operator=(const Win32ConnectionAttempt&) = delete;

  State Check() override {
    if (state_ != State::Pending) return state_;
    if (lookup_) {
      if (WaitForSingleObject(lookup_->overlapped.hEvent, 0) != WAIT_OBJECT_0) return state_;
      if (sockets_.GetAddrInfoExOverlappedResult(&lookup_->overlapped) == 0)
        candidates_ = CandidatesOf(lookup_->found);
      EndLookup();
    }
    // A refused address makes way for the next one at once.
    for (;;) {
      if (socket_ == INVALID_SOCKET) {
        if (next_ == candidates_.size()) return state_ = State::Refused;
        StartConnecting(candidates_[next_++]);
        continue;
      }
      const State state = Progress();
      if (state != State::Refused) return state_ = state;
      CloseSocket();
    }
  }

 private:
  void StartConnecting(const Candidate& to) {
    socket_ = sockets_.socket(to.family, to.type, to.protocol);
    if (socket_ == INVALID_SOCKET) return;
    u_long non_blocking = 1;
    sockets_.ioctlsocket(socket_, FIONBIO, &non_blocking);
    if (sockets_.connect(socket_, reinterpret_cast<const sockaddr*>(&to.address), to.length) ==
            SOCKET_ERROR &&
        sockets_.WSAGetLastError() != WSAEWOULDBLOCK)
      CloseSocket();
  }

  State Progress() {
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket_, &writable);
    FD_SET(socket_, &failed);
    timeval no_wait{0, 0};
    if (sockets_.select(0, nullptr, &writable, &failed, &no_wait) == SOCKET_ERROR)
      return State::Refused;
    if (InSet(socket_, failed)) return State::Refused;
    if (!InSet(socket_, writable)) return State::Pending;
    int error = 0;
    int size = sizeof error;
    sockets_.getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
    return error == 0 ? State::Accepted : State::Refused;
  }

  void CloseSocket() {
    if (socket_ != INVALID_SOCKET) sockets_.closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }

  void EndLookup() {
    if (WaitForSingleObject(lookup_->overlapped.hEvent, 0) == WAIT_OBJECT_0) {
      if (lookup_->found) sockets_.FreeAddrInfoExW(lookup_->found);
      CloseHandle(lookup_->overlapped.hEvent);
      delete lookup_;
    } else {
      // Quitting while the name is still looked up: the system may yet write into the block,
      // so it is asked to stop and the block is left to it (a few bytes, once, at the end).
      sockets_.GetAddrInfoExCancel(&lookup_->cancel);
    }
    lookup_ = nullptr;
  }

  const Sockets& sockets_;
  NameLookup* lookup_ = nullptr;
  std::vector<Candidate> candidates_;
  std::size_t next_ = 0;
  SOCKET socket_ = INVALID_SOCKET;
  State state_ = State::Pending;
};

}  // namespace

std::unique_ptr<ConnectionAttempt> StartConnection(const std::string& host,
                                                   const std::string& port) {
  const Sockets* const sockets = Sockets::Get();
  if (!sockets) return nullptr;
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  // An address never waits. A name goes to the resolver, which can take seconds while the
  // network is not up yet: in the background where the system can, so the run goes on.
  if (sockets->getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) {
    if (sockets->LooksUpInTheBackground()) {
      NameLookup* const lookup = StartLookup(*sockets, host, port);
      if (!lookup) return nullptr;
      return std::make_unique<Win32ConnectionAttempt>(*sockets, lookup);
    }
    hints.ai_flags = AI_NUMERICSERV;
    if (sockets->getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return nullptr;
  }
  std::vector<Candidate> candidates = CandidatesOf(found);
  sockets->freeaddrinfo(found);
  if (candidates.empty()) return nullptr;
  return std::make_unique<Win32ConnectionAttempt>(*sockets, std::move(candidates));
}
