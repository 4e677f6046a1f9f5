#pragma once

#include <windows.h>

// An icon resource in its image of exactly this size, not one scaled from another. Not shared:
// the cache of shared icons answers with the first size loaded, whatever size is asked.
inline HICON LoadIconImage(HINSTANCE instance, int id, int width, int height) {
  return static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, 0));
}
