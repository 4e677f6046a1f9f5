#pragma once

#include <windows.h>

// Display scaling in one place: every layout number of the program is written for 96 dots per
// inch and goes through Scale with the DPI of the window it is for, so at 96 dpi nothing moves
// and at any other DPI everything keeps its proportions.

inline constexpr int kBaseDpi = 96;

// The DPI a window is shown at (its monitor's, for a per-monitor aware program); the screen's
// for nullptr or where the system cannot say per window.
int WindowDpi(HWND window);

inline int Scale(int pixels_at_96, int dpi) {
  return MulDiv(pixels_at_96, dpi, kBaseDpi);
}

// The same as a value a layout carries along: `px(12)`.
struct DpiScale {
  int dpi = kBaseDpi;
  int operator()(int pixels_at_96) const { return Scale(pixels_at_96, dpi); }
};

// A system metric (icon sizes, check box sizes) as the system gives it for `dpi`.
int SystemMetricForDpi(int index, int dpi);

// The outer size of a window whose client area is `client_width` x `client_height` (already
// scaled), with the frame the window's styles give it at `dpi`.
SIZE FrameSizeForClient(HWND window, int client_width, int client_height, int dpi);
// The outer size, at `dpi`, of a window laid out as `width` x `height` outer pixels at 96 dpi:
// its client area scales and its frame is the system's for `dpi`.
SIZE ScaleFrameSize(HWND window, int width_at_96, int height_at_96, int dpi);
// The reverse: the 96-dpi outer size of a window `width` x `height` outer pixels at `dpi`.
SIZE UnscaleFrameSize(HWND window, int width, int height, int dpi);
// Resizes a window so that its client area has that size; its position stays.
void SetClientSize(HWND window, int client_width, int client_height, int dpi);

// Widens an up-down attached to the right of its buddy to the arrows' width at `dpi`, taking the
// room from the buddy; some systems attach it at the 96-dpi width whatever the DPI.
void FitUpDownToDpi(HWND up_down, HWND buddy, int dpi);

// WM_DPICHANGED's suggested rectangle, taken as the system proposes it.
void MoveToSuggestedRect(HWND window, const RECT& suggested);
