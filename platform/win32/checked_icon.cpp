#include "platform/win32/checked_icon.h"

#include "platform/icon_directory.h"
#include "platform/win32/owned_handle.h"

namespace {

// The file the system's extraction would open for the name: a full path as it is, a bare
// name along the search path.
std::string FoundFile(const std::string& file) {
  DWORD length = SearchPathA(nullptr, file.c_str(), nullptr, 0, nullptr, nullptr);
  if (length == 0) return {};
  std::string path(length, '\0');
  length = SearchPathA(nullptr, file.c_str(), nullptr, length, path.data(), nullptr);
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  return path;
}

bool SoundOnDisk(const std::string& path) {
  const OwnedKernelHandle owned = OwnFileHandle(CreateFileA(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!owned) return false;  // missing, held, or a folder
  const HANDLE file = owned.Get();
  LARGE_INTEGER size{};
  bool sound = false;
  if (GetFileSizeEx(file, &size)) {
    const FileBytesReader read = [file](std::uint64_t offset, std::size_t length) {
      std::string bytes(length, '\0');
      LARGE_INTEGER at{};
      at.QuadPart = static_cast<LONGLONG>(offset);
      DWORD got = 0;
      if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
          !ReadFile(file, bytes.data(), static_cast<DWORD>(length), &got, nullptr))
        return std::string();
      bytes.resize(got);
      return bytes;
    };
    sound = IconFileIsSound(static_cast<std::uint64_t>(size.QuadPart), read);
  }
  return sound;
}

}  // namespace

HICON ExtractCheckedIcon(const std::string& file) {
  if (file.empty()) return nullptr;
  const std::string path = FoundFile(file);
  if (path.empty() || !SoundOnDisk(path)) return nullptr;
  const HICON icon = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0);
  // 1: not a file that holds icons.
  return reinterpret_cast<UINT_PTR>(icon) <= 1 ? nullptr : icon;
}
