#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

// The socket functions the program uses, found in the system's socket library when first
// asked for. Nothing of it is loaded at start: most log-ons never touch the network, and a
// library that fails to initialise then costs only the rows that wait for a connection.
struct Sockets {
  decltype(&::socket) socket;
  decltype(&::closesocket) closesocket;
  decltype(&::ioctlsocket) ioctlsocket;
  decltype(&::connect) connect;
  decltype(&::select) select;
  decltype(&::getsockopt) getsockopt;
  decltype(&::getaddrinfo) getaddrinfo;
  decltype(&::freeaddrinfo) freeaddrinfo;
  decltype(&::WSAGetLastError) WSAGetLastError;
  // A name looked up in the background (Windows 8 and later); all null on older systems.
  decltype(&::GetAddrInfoExW) GetAddrInfoExW;
  int(WSAAPI* GetAddrInfoExOverlappedResult)(OVERLAPPED* overlapped);
  int(WSAAPI* GetAddrInfoExCancel)(HANDLE* handle);
  decltype(&::FreeAddrInfoExW) FreeAddrInfoExW;

  bool LooksUpInTheBackground() const {
    return GetAddrInfoExW && GetAddrInfoExOverlappedResult && GetAddrInfoExCancel &&
           FreeAddrInfoExW;
  }

  // Null when the library or one of its functions is missing or it would not start; once
  // loaded, kept for the rest of the process.
  static const Sockets* Get();
};

// Whether the socket is among those select() left in the set.
bool InSet(SOCKET socket, const fd_set& set);
