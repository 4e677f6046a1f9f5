#pragma once

#include <windows.h>
// windows.h first: DDEML relies on its types.
#include <ddeml.h>

#include <string>

#include "platform/dde.h"

// The process's one DDEML client instance: made when first needed, released with the object.
class Win32DdeClient : public DdeClient {
 public:
  Win32DdeClient();
  ~Win32DdeClient() override;
  Win32DdeClient(const Win32DdeClient&) = delete;
  Win32DdeClient& operator=(const Win32DdeClient&) = delete;

  bool Connect(const std::string& service, const std::string& topic) override;
  void Execute(const std::string& command) override;
  void Disconnect() override;

 private:
  void FreeStrings();

  DWORD instance_ = 0;
  HCONV conversation_ = nullptr;
  HSZ service_ = nullptr;
  HSZ topic_ = nullptr;
};

class Win32ProgramStarter : public ProgramStarter {
 public:
  bool StartMinimisedNoActivate(const std::string& command_line) override;
};
