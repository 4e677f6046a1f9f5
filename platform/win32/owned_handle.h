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
struct FreeMemoryDc {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ReleaseInterface {
  template <typename Interface>
  void operator()(Interface* object) const {
    object->Release();
  }
};

using OwnedFont = OwnedHandle<HFONT, FreeGdiObject>;
using OwnedGdiObject = OwnedHandle<HGDIOBJ, FreeGdiObject>;
using OwnedIcon = OwnedHandle<HICON, FreeIcon>;
using OwnedMenu = OwnedHandle<HMENU, FreeMenu>;
using OwnedImageList = OwnedHandle<HIMAGELIST, FreeImageList>;
using OwnedKernelHandle = OwnedHandle<HANDLE, FreeKernelHandle>;
using OwnedRegistryKey = OwnedHandle<HKEY, FreeRegistryKey>;
using OwnedMemoryDc = OwnedHandle<HDC, FreeMemoryDc>;
using OwnedBitmap = OwnedHandle<HBITMAP, FreeGdiObject>;
template <typename Interface>
using OwnedInterface = OwnedHandle<Interface*, ReleaseInterface>;

// A window's device context, given back to the window when done; null when none was had.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a context for a while; the one it replaced goes back in when done, so
// the object can be freed. A null object selects nothing.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Files and snapshots report failure as INVALID_HANDLE_VALUE rather than null.
inline OwnedKernelHandle OwnFileHandle(HANDLE handle) {
  return OwnedKernelHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
