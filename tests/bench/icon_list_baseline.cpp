// The floor for building the launcher menu's images: icon_list_baseline COUNT FILE extracts the
// file's first icon COUNT times and adds each to a 16 x 16 image list, then ends.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 3) return 2;
  const int count = std::atoi(__argv[1]);
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 16);
  for (int i = 0; i < count; ++i) {
    HICON icon = ExtractIconA(GetModuleHandleA(nullptr), __argv[2], 0);
    if (icon != nullptr && icon != reinterpret_cast<HICON>(1)) {
      ImageList_AddIcon(list, icon);
      DestroyIcon(icon);
    }
  }
  const int added = ImageList_GetImageCount(list);
  ImageList_Destroy(list);
  return added == count ? 0 : 1;
}
