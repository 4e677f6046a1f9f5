#pragma once

#include <memory>
#include <string>

#include "platform/readiness.h"

// Owns the process handle of a launch; the handle is closed with it.
std::unique_ptr<WatchedProcess> WatchProcess(void* process_handle);

class Win32Readiness : public Readiness {
 public:
  Win32Readiness();
  ~Win32Readiness() override;
  Win32Readiness(const Win32Readiness&) = delete;
  Win32Readiness& operator=(const Win32Readiness&) = delete;

  bool PathExists(const std::string& path) override;
  std::unique_ptr<ConnectionAttempt> Connect(const std::string& host_port) override;

 private:
  bool sockets_ = false;
};
