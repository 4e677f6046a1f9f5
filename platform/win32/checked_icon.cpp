#include "platform/win32/checked_icon.h"

#include <algorithm>
#include <map>

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

// The check asks for many small pieces that mostly lie close together (headers, the directory
// and its entries): whole blocks are read once each.
class BlockReader {
 public:
  explicit BlockReader(HANDLE file) : file_(file) {}

  std::string Read(std::uint64_t offset, std::size_t length) {
    std::string bytes;
    while (bytes.size() < length) {
      const std::uint64_t at = offset + bytes.size();
      const std::string* block = Block(at / kBlockBytes);
      if (!block) break;
      const std::size_t into = static_cast<std::size_t>(at % kBlockBytes);
      if (into >= block->size()) break;
      bytes.append(*block, into, std::min(length - bytes.size(), block->size() - into));
    }
    return bytes;
  }

 private:
  static constexpr std::size_t kBlockBytes = 4096;

  const std::string* Block(std::uint64_t index) {
    if (const auto found = blocks_.find(index); found != blocks_.end()) return &found->second;
    std::string bytes(kBlockBytes, '\0');
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(index * kBlockBytes);
    DWORD got = 0;
    if (!SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) ||
        !ReadFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
      return nullptr;
    bytes.resize(got);
    return &blocks_.emplace(index, std::move(bytes)).first->second;
  }

  HANDLE file_;
  std::map<std::uint64_t, std::string> blocks_;
};

bool SoundOnDisk(const std::string& path) {
  const OwnedKernelHandle owned = OwnFileHandle(CreateFileA(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!owned) return false;  // missing, held, or a folder
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(owned.Get(), &size)) return false;
  BlockReader blocks(owned.Get());
  return IconFileIsSound(
      static_cast<std::uint64_t>(size.QuadPart),
      [&blocks](std::uint64_t offset, std::size_t length) { return blocks.Read(offset, length); });
}

HICON ExtractFrom(const std::string& path) {
  const HICON icon = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0);
  // 1: not a file that holds icons.
  return reinterpret_cast<UINT_PTR>(icon) <= 1 ? nullptr : icon;
}

}  // namespace

HICON ExtractCheckedIcon(const std::string& file) {
  if (file.empty()) return nullptr;
  const std::string path = FoundFile(file);
  if (path.empty() || !SoundOnDisk(path)) return nullptr;
  return ExtractFrom(path);
}

HICON CheckedIcons::Extract(const std::string& file) {
  if (file.empty()) return nullptr;
  const std::string path = FoundFile(file);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return nullptr;
  const std::uint64_t size =
      static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  auto checked = checked_.find(path);
  if (checked == checked_.end() || checked->second.size != size ||
      CompareFileTime(&checked->second.written, &data.ftLastWriteTime) != 0)
    checked = checked_
                  .insert_or_assign(
                      path, Checked{size, data.ftLastWriteTime,
                                    OwnedIcon(SoundOnDisk(path) ? ExtractFrom(path) : nullptr)})
                  .first;
  return checked->second.icon ? CopyIcon(checked->second.icon.Get()) : nullptr;
}
