#include "platform/win32/win32_shell_links.h"

#include <windows.h>
// windows.h first: the shell headers rely on its types.
#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/app_error.h"

namespace {

// The system's description of a COM failure, in the ANSI code page.
std::string ComErrorText(HRESULT result) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) {
    char code[32];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
    text = code;
  }
  return text;
}

class Win32ShellLink : public ShellLink {
 public:
  Win32ShellLink(IShellLinkA* link, IPersistFile* file) : link_(link), file_(file) {}
  ~Win32ShellLink() override {
    file_->Release();
    link_->Release();
  }
  Win32ShellLink(const Win32ShellLink&) = delete;
  Win32ShellLink& operator=(const Win32ShellLink&) = delete;

  void SetPath(const std::string& target) override { link_->SetPath(target.c_str()); }
  void SetWorkingDirectory(const std::string& folder) override {
    link_->SetWorkingDirectory(folder.c_str());
  }
  void SetArguments(const std::string& arguments) override {
    link_->SetArguments(arguments.c_str());
  }
  bool Save(const std::string& file_path) override {
    const int length = MultiByteToWideChar(CP_ACP, 0, file_path.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, file_path.c_str(), -1, wide.data(), length);
    return SUCCEEDED(file_->Save(wide.data(), FALSE));
  }

 private:
  IShellLinkA* link_;
  IPersistFile* file_;
};

}  // namespace

std::unique_ptr<ShellLink> Win32ShellLinks::Create() {
  IUnknown* object = nullptr;
  HRESULT result =
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                       IID_IUnknown, reinterpret_cast<void**>(&object));
  if (FAILED(result)) throw AppError(ComErrorText(result));
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  HRESULT link_result = object->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(&link));
  HRESULT file_result = object->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  object->Release();
  if (FAILED(link_result) || FAILED(file_result)) {
    if (link) link->Release();
    if (file) file->Release();
    throw AppError(ComErrorText(FAILED(link_result) ? link_result : file_result));
  }
  return std::make_unique<Win32ShellLink>(link, file);
}

std::optional<std::string> Win32SpecialFolders::Path(int csidl) {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator))) return std::nullopt;
  std::optional<std::string> path;
  LPITEMIDLIST list = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) {
    char buffer[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(list, buffer)) path = std::string(buffer);
    allocator->Free(list);
  }
  allocator->Release();
  return path;
}

ComApartment::ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}

ComApartment::~ComApartment() {
  if (initialised_) CoUninitialize();
}
