#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// A process the shell started, followed without ever waiting on it: each question is answered
// from what the system knows at that moment.
class WatchedProcess {
 public:
  virtual ~WatchedProcess() = default;
  // WaitForInputIdle with no wait: its first message loop is waiting for input.
  virtual bool InputIdle() = 0;
  // A visible top-level window of its process.
  virtual bool ShowsWindow() = 0;
  virtual bool Ended() = 0;
  // Processor time (kernel and user) used so far; nothing when the system will not say.
  virtual std::optional<std::int64_t> ProcessorMs() = 0;
};

// One try to connect, started when made; asked again on later ticks.
class ConnectionAttempt {
 public:
  enum class State { Pending, Accepted, Refused };
  virtual ~ConnectionAttempt() = default;
  virtual State Check() = 0;
};

// What a start condition asks of the system.
class Readiness {
 public:
  virtual ~Readiness() = default;
  virtual bool PathExists(const std::string& path) = 0;
  // A TCP connection to "host:port", without waiting for its answer. A host given as an
  // address is used as it is; a name is looked up in the background where the system can.
  // Nothing when the text names no host and port, or no connection can even be tried.
  virtual std::unique_ptr<ConnectionAttempt> Connect(const std::string& host_port) = 0;
};
