#include "platform/win32/win32_sockets.h"

// After winsock2.h, so that it does not bring in the old winsock.
#include <windows.h>

namespace {

template <typename Function>
bool Find(HMODULE library, const char* name, Function* function) {
  *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return *function != nullptr;
}

const Sockets* Load() {
  static Sockets sockets;
  const HMODULE library = LoadLibraryA("ws2_32.dll");
  if (!library) return nullptr;
  decltype(&::WSAStartup) startup = nullptr;
  Sockets& s = sockets;
  const bool found = Find(library, "WSAStartup", &startup) && Find(library, "socket", &s.socket) &&
                     Find(library, "closesocket", &s.closesocket) &&
                     Find(library, "ioctlsocket", &s.ioctlsocket) &&
                     Find(library, "connect", &s.connect) && Find(library, "select", &s.select) &&
                     Find(library, "getsockopt", &s.getsockopt) &&
                     Find(library, "getaddrinfo", &s.getaddrinfo) &&
                     Find(library, "freeaddrinfo", &s.freeaddrinfo) &&
                     Find(library, "WSAGetLastError", &s.WSAGetLastError);
  // Optional: without them a name is looked up while the caller waits.
  Find(library, "GetAddrInfoExW", &s.GetAddrInfoExW);
  Find(library, "GetAddrInfoExOverlappedResult", &s.GetAddrInfoExOverlappedResult);
  Find(library, "GetAddrInfoExCancel", &s.GetAddrInfoExCancel);
  Find(library, "FreeAddrInfoExW", &s.FreeAddrInfoExW);
  WSADATA data;
  if (!found || startup(MAKEWORD(2, 2), &data) != 0) {
    FreeLibrary(library);
    return nullptr;
  }
  return &sockets;
}

}  // namespace

const Sockets* Sockets::Get() {
  // A failure is not kept: a library that would not start may start at the next try.
  static const Sockets* loaded = nullptr;
  if (!loaded) loaded = Load();
  return loaded;
}

bool InSet(SOCKET socket, const fd_set& set) {
  for (u_int i = 0; i < set.fd_count; ++i)
    if (set.fd_array[i] == socket) return true;
  return false;
}
