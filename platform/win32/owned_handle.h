#pragma once

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

#include <utility>

// A handle the program owns, freed by its destructor. Move-only.
template <typename Handle, typename Free>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }

  Handle Get() const { return handle_; }
  // Gives the handle up without freeing it.
  Handle Release() { return std::exchange(handle_, nullptr); }
  // For a call that hands the handle out through a pointer; what was held is freed first.
  Handle* Receive() {
    Reset();
    return &handle_;
  }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) Free{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct FreeGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct FreeIcon {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct FreeMenu {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct FreeImageList {
  void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
};
struct FreeKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FreeRegistryKey {
  void operator()(HKEY key) const { RegCloseKey(key); }
};

using OwnedFont = OwnedHandle<HFONT, FreeGdiObject>;
using OwnedGdiObject = OwnedHandle<HGDIOBJ, FreeGdiObject>;
using OwnedIcon = OwnedHandle<HICON, FreeIcon>;
using OwnedMenu = OwnedHandle<HMENU, FreeMenu>;
using OwnedImageList = OwnedHandle<HIMAGELIST, FreeImageList>;
using OwnedKernelHandle = OwnedHandle<HANDLE, FreeKernelHandle>;
using OwnedRegistryKey = OwnedHandle<HKEY, FreeRegistryKey>;

// Files and snapshots report failure as INVALID_HANDLE_VALUE rather than null.
inline OwnedKernelHandle OwnFileHandle(HANDLE handle) {
  return OwnedKernelHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
