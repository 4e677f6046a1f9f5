#include "platform/win32/win32_shell_links.h"

#include <windows.h>
// windows.h first: the shell headers rely on its types.
#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/app_error.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/system_error.h"

namespace {

// The system's description of a COM failure, in the ANSI code page.
std::string ComErrorText(HRESULT result) {
  std::string text = SystemText(static_cast<DWORD>(result));
  if (text.empty()) {
    char code[32];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
    text = code;
  }
  return text;
}

// The ANSI path in UTF-16, as IPersistFile takes it; empty when it does not convert.
std::wstring WidePath(const std::string& path) {
  const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::vector<wchar_t> wide(static_cast<size_t>(length));
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
  return wide.data();
}

// The volume and index that name one file on disk, whichever path reaches it.
struct FileIdentity {
  DWORD volume = 0, high = 0, low = 0;
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  const OwnedKernelHandle file = OwnFileHandle(
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The target path stored in a link file; empty when the file is missing or not a link.
std::string LinkTarget(const std::string& link_file) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return {};
  std::string target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    const std::wstring wide = WidePath(link_file);
    char buffer[MAX_PATH + 1] = {};
    if (!wide.empty() && SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(buffer, sizeof buffer, nullptr, 0)))
      target = buffer;
    file->Release();
  }
  link->Release();
  return target;
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
    const std::wstring wide = WidePath(file_path);
    return !wide.empty() && SUCCEEDED(file_->Save(wide.c_str(), FALSE));
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

bool Win32ShellLinks::LinksTo(const std::string& link_file, const std::string& target) {
  const std::string linked = LinkTarget(link_file);
  if (linked.empty()) return false;
  const auto linked_file = IdentityOf(linked);
  return linked_file && linked_file == IdentityOf(target);
}

std::optional<ShortcutFields> Win32ShellLinks::ReadLink(const std::string& link_file) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return std::nullopt;
  std::optional<ShortcutFields> fields;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    const std::wstring wide = WidePath(link_file);
    if (!wide.empty() && SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
      // INFOTIPSIZE: the most a link's arguments can hold.
      std::vector<char> text(1024, '\0');
      const int size = static_cast<int>(text.size());
      fields.emplace();
      if (SUCCEEDED(link->GetPath(text.data(), size, nullptr, 0))) fields->target = text.data();
      text[0] = '\0';
      if (SUCCEEDED(link->GetArguments(text.data(), size))) fields->arguments = text.data();
      text[0] = '\0';
      if (SUCCEEDED(link->GetWorkingDirectory(text.data(), size))) fields->folder = text.data();
      int show = SW_SHOWNORMAL;
      if (SUCCEEDED(link->GetShowCmd(&show))) fields->show_command = show;
    }
    file->Release();
  }
  link->Release();
  return fields;
}

bool Win32ShellLinks::Remove(const std::string& link_file) {
  return DeleteFileA(link_file.c_str()) ||
         GetFileAttributesA(link_file.c_str()) == INVALID_FILE_ATTRIBUTES;
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
