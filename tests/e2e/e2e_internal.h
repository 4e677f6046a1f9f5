#pragma once

// What the driver's support files share among themselves; cases use e2e_support.h only.

#include <string>
#include <vector>

#include "e2e_support.h"

namespace e2e {

struct DriverState {
  RunSettings settings;
  int failure_shots = 0;
  std::vector<Process> started;
};
DriverState& State();

inline constexpr DWORD kSendLimitMs = 10000;
inline constexpr int kMessageTextId = 0xFFFF;
inline constexpr int kMessageIconId = 1088;
inline constexpr char kWindowKey[] = "Software\\Brel\\Morvelin\\Window";

// The Shift-JIS text as UTF-8, for the log.
std::string ToUtf8(const std::string& ansi);
// The bytes as hexadecimal pairs.
std::string Hex(const std::string& bytes);

// A block of memory inside another process, for messages whose arguments are pointers.
class RemoteBlock {
 public:
  RemoteBlock(HWND owner, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool ok() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  LPARAM param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(at(offset)); }
  bool Write(size_t offset, const void* data, size_t size) const {
    SIZE_T done = 0;
    return offset + size <= size_ && WriteProcessMemory(process_, at(offset), data, size, &done) &&
           done == size;
  }
  bool Read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    return offset + size <= size_ && ReadProcessMemory(process_, at(offset), data, size, &done) &&
           done == size;
  }
  std::string ReadText(size_t offset, size_t max_size) const {
    std::string text(max_size, '\0');
    if (!Read(offset, text.data(), max_size)) return {};
    text.resize(strnlen(text.data(), max_size));
    return text;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
};
Image CaptureScreen(const RECT& area);
bool WriteBmp(const std::string& path, const Image& image);
RECT ScreenRect();
// The standard icon a message box shows, told by its pixels.
IconKind ClassifyIcon(HWND box);
bool IsMessageBox(HWND dialog);

}  // namespace e2e
