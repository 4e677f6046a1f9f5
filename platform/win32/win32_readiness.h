#pragma once

#include <memory>
#include <string>

#include "platform/readiness.h"

// Owns the process handle of a launch; the handle is closed with it.
std::unique_ptr<WatchedProcess> WatchProcess(void* process_handle);

class Win32Readiness : public Readiness {
 public:
  bool PathExists(const std::string& path) override;
  std::unique_ptr<ConnectionAttempt> Connect(const std::string& host_port) override;
};
