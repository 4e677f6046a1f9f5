#pragma once

// Shell-side helpers shared by the Windows tests and the end-to-end driver: a Program Manager
// DDE server of the tests' own, and a reader of shell links.

// clang-format off
#include <windows.h>
#include <ddeml.h>
#include <objidl.h>
#include <shlobj.h>
// clang-format on

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A DDEML server registered as "PROGMAN" on a thread of its own, recording every execute
// string as it arrives (its bytes and the terminating zero).
class TestProgmanServer {
 public:
  // Waits, up to the limit, for the server to be ready.
  explicit TestProgmanServer(const std::function<bool(const std::function<bool()>&)>& wait) {
    thread_ = std::thread([this] { Run(); });
    wait([this] { return ready_.load(); });
  }
  ~TestProgmanServer() {
    PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  TestProgmanServer(const TestProgmanServer&) = delete;
  TestProgmanServer& operator=(const TestProgmanServer&) = delete;

  bool Registered() const { return registered_; }
  std::vector<std::string> Commands() {
    std::lock_guard<std::mutex> lock(mutex_);
    return commands_;
  }

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data,
                                    ULONG_PTR, ULONG_PTR) {
    TestProgmanServer* self = current_;
    if (type == XTYP_CONNECT)
      return reinterpret_cast<HDDEDATA>(
          static_cast<ULONG_PTR>(DdeCmpStringHandles(topic, self->name_) == 0));
    if (type != XTYP_EXECUTE) return nullptr;
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string bytes(size, '\0');
    DdeGetData(data, reinterpret_cast<BYTE*>(bytes.data()), size, 0);
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->commands_.push_back(bytes);
    return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FACK));
  }

  void Run() {
    thread_id_ = GetCurrentThreadId();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue
    current_ = this;
    if (DdeInitializeA(&instance_, Callback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) ==
        DMLERR_NO_ERROR) {
      name_ = DdeCreateStringHandleA(instance_, "PROGMAN", CP_WINANSI);
      registered_ = DdeNameService(instance_, name_, nullptr, DNS_REGISTER) != nullptr;
    }
    ready_ = true;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    if (instance_) {
      DdeNameService(instance_, name_, nullptr, DNS_UNREGISTER);
      DdeFreeStringHandle(instance_, name_);
      DdeUninitialize(instance_);
    }
  }

  static inline TestProgmanServer* current_ = nullptr;
  std::thread thread_;
  DWORD thread_id_ = 0;
  std::atomic<bool> ready_{false};
  bool registered_ = false;
  DWORD instance_ = 0;
  HSZ name_ = nullptr;
  std::mutex mutex_;
  std::vector<std::string> commands_;
};

struct LinkFields {
  bool loaded = false;
  std::string target, folder, arguments;
};

// A shell link's fields as the shell's own link object reads them; COM must be initialised.
inline LinkFields ReadLink(const std::string& path) {
  LinkFields fields;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return fields;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
    if (SUCCEEDED(file->Load(wide, STGM_READ))) {
      fields.loaded = true;
      char buffer[MAX_PATH * 2] = {};
      link->GetPath(buffer, sizeof buffer, nullptr, SLGP_RAWPATH);
      fields.target = buffer;
      buffer[0] = 0;
      link->GetWorkingDirectory(buffer, sizeof buffer);
      fields.folder = buffer;
      buffer[0] = 0;
      link->GetArguments(buffer, sizeof buffer);
      fields.arguments = buffer;
    }
    file->Release();
  }
  link->Release();
  return fields;
}
