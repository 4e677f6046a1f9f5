#pragma once

#include <string>

// A DDE client conversation with one server at a time. Texts are ANSI (code page 932) bytes.
class DdeClient {
 public:
  virtual ~DdeClient() = default;
  // Closes any conversation still held, then connects; false when no server answered.
  virtual bool Connect(const std::string& service, const std::string& topic) = 0;
  // Hands one command (its bytes and a terminating zero) to the server as an asynchronous
  // execute transaction; nothing is awaited and a command that cannot be started is skipped.
  virtual void Execute(const std::string& command) = 0;
  // Ends the conversation, if any.
  virtual void Disconnect() = 0;
};

// Starts a program by command line (WinExec, minimised without activation).
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // True when the system reports the program as started.
  virtual bool StartMinimisedNoActivate(const std::string& command_line) = 0;
};
