#include "platform/win32/win32_shell_links.h"

#include <windows.h>
// windows.h first: the shell headers rely on its types.
#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <utility>
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
  OwnedInterface<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.Receive()))))
    return {};
  std::string target;
  OwnedInterface<IPersistFile> file;
  if (SUCCEEDED(
          link.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive())))) {
    const std::wstring wide = WidePath(link_file);
    char buffer[MAX_PATH + 1] = {};
    if (!wide.empty() && SUCCEEDED(file.Get()->Load(wide.c_str(), STGM_READ)) &&
        SUCCEEDED(link.Get()->GetPath(buffer, sizeof buffer, nullptr, 0)))
      target = buffer;
  }
  return target;
}

class Win32ShellLink : public ShellLink {
 public:
  Win32ShellLink(OwnedInterface<IShellLinkA> link, OwnedInterface<IPersistFile> file)
      : link_(std::move(link)), file_(std::move(file)) {}

  void SetPath(const std::string& target) override { link_.Get()->SetPath(target.c_str()); }
  void SetWorkingDirectory(const std::string& folder) override {
    link_.Get()->SetWorkingDirectory(folder.c_str());
  }
  void SetArguments(const std::string& arguments) override {
    link_.Get()->SetArguments(arguments.c_str());
  }
  bool Save(const std::string& file_path) override {
    const std::wstring wide = WidePath(file_path);
    return !wide.empty() && SUCCEEDED(file_.Get()->Save(wide.c_str(), FALSE));
  }

 private:
  // The link goes after the file view onto it.
  OwnedInterface<IShellLinkA> link_;
  OwnedInterface<IPersistFile> file_;
};

}  // namespace

std::unique_ptr<ShellLink> Win32ShellLinks::Create() {
  OwnedInterface<IShellLinkA> link;
  OwnedInterface<IPersistFile> file;
  HRESULT link_result, file_result;
  {
    OwnedInterface<IUnknown> object;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                         IID_IUnknown, reinterpret_cast<void**>(object.Receive()));
    if (FAILED(result)) throw AppError(ComErrorText(result));
    link_result =
        object.Get()->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(link.Receive()));
    file_result =
        object.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive()));
  }
  if (FAILED(link_result) || FAILED(file_result))
    throw AppError(ComErrorText(FAILED(link_result) ? link_result : file_result));
  return std::make_unique<Win32ShellLink>(std::move(link), std::move(file));
}

bool Win32ShellLinks::LinksTo(const std::string& link_file, const std::string& target) {
  const std::string linked = LinkTarget(link_file);
  if (linked.empty()) return false;
  const auto linked_file = IdentityOf(linked);
  return linked_file && linked_file == IdentityOf(target);
}

std::optional<ShortcutFields> Win32ShellLinks::ReadLink(const std::string& link_file) {
  OwnedInterface<IShellLinkA> owned_link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(owned_link.Receive()))))
    return std::nullopt;
  IShellLinkA* const link = owned_link.Get();
  std::optional<ShortcutFields> fields;
  OwnedInterface<IPersistFile> file;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive())))) {
    const std::wstring wide = WidePath(link_file);
    if (!wide.empty() && SUCCEEDED(file.Get()->Load(wide.c_str(), STGM_READ))) {
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
  }
  return fields;
}

bool Win32ShellLinks::Remove(const std::string& link_file) {
  return DeleteFileA(link_file.c_str()) ||
         GetFileAttributesA(link_file.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32SpecialFolders::Path(int csidl) {
  OwnedInterface<IMalloc> allocator;
  if (FAILED(SHGetMalloc(allocator.Receive()))) return std::nullopt;
  std::optional<std::string> path;
  LPITEMIDLIST list = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) {
    char buffer[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(list, buffer)) path = std::string(buffer);
    allocator.Get()->Free(list);
  }
  return path;
}

ComApartment::ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}

ComApartment::~ComApartment() {
  if (initialised_) CoUninitialize();
}
