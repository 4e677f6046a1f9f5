#include "platform/win32/win32_dde.h"

namespace {

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

}  // namespace

Win32DdeClient::Win32DdeClient() = default;

Win32DdeClient::~Win32DdeClient() {
  Disconnect();
  if (instance_) DdeUninitialize(instance_);
}

void Win32DdeClient::FreeStrings() {
  if (service_) DdeFreeStringHandle(instance_, service_);
  if (topic_) DdeFreeStringHandle(instance_, topic_);
  service_ = topic_ = nullptr;
}

bool Win32DdeClient::Connect(const std::string& service, const std::string& topic) {
  Disconnect();
  // Made at the first conversation: a log-on run never talks to the shell this way, and the
  // instance costs it a window of its own.
  if (!instance_ && DdeInitializeA(&instance_, ClientCallback, 0, 0) != DMLERR_NO_ERROR)
    instance_ = 0;
  if (!instance_) return false;
  service_ = DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
  topic_ = DdeCreateStringHandleA(instance_, topic.c_str(), CP_WINANSI);
  CONVCONTEXT context{};
  context.cb = sizeof context;
  context.iCodePage = CP_WINANSI;
  conversation_ = DdeConnect(instance_, service_, topic_, &context);
  if (conversation_) return true;
  FreeStrings();
  return false;
}

void Win32DdeClient::Execute(const std::string& command) {
  if (!conversation_) return;
  // The command's bytes and their terminating zero.
  HDDEDATA data =
      DdeCreateDataHandle(instance_, reinterpret_cast<BYTE*>(const_cast<char*>(command.c_str())),
                          static_cast<DWORD>(command.size() + 1), 0, nullptr, CF_TEXT, 0);
  if (!data) return;
  DWORD transaction = 0;
  // An asynchronous transaction takes the data handle over, started or not.
  DdeClientTransaction(reinterpret_cast<BYTE*>(data), 0xFFFFFFFF, conversation_, nullptr, CF_TEXT,
                       XTYP_EXECUTE, TIMEOUT_ASYNC, &transaction);
}

void Win32DdeClient::Disconnect() {
  if (conversation_) DdeDisconnect(conversation_);
  conversation_ = nullptr;
  FreeStrings();
}

bool Win32ProgramStarter::StartMinimisedNoActivate(const std::string& command_line) {
  return WinExec(command_line.c_str(), SW_SHOWMINNOACTIVE) >= 32;
}
