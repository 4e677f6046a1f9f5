#pragma once

#include <memory>
#include <string>

#include "platform/readiness.h"

// A TCP connection to the host (an address or a name) and port, tried without waiting: a name
// is looked up in the background where the system can, and each address found is tried in
// turn until one accepts. Nothing when the socket library is missing or the host has no
// address.
std::unique_ptr<ConnectionAttempt> StartConnection(const std::string& host,
                                                   const std::string& port);
