#pragma once

#include <windows.h>

#include <algorithm>

// Sizes a window to `wanted`, no smaller than `least` and no larger than the work area of the
// screen nearest to it; a window whose size had to change is moved wholly into that area.
inline void FitWindowToScreen(HWND window, SIZE wanted, SIZE least) {
  RECT frame{};
  MONITORINFO screen{};
  screen.cbSize = sizeof(screen);
  if (!GetWindowRect(window, &frame) ||
      !GetMonitorInfoA(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &screen))
    return;
  const RECT& work = screen.rcWork;
  const LONG width = std::min(std::max(wanted.cx, least.cx), work.right - work.left);
  const LONG height = std::min(std::max(wanted.cy, least.cy), work.bottom - work.top);
  if (width == wanted.cx && height == wanted.cy) return;
  const LONG left = std::clamp(frame.left, work.left, work.right - width);
  const LONG top = std::clamp(frame.top, work.top, work.bottom - height);
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves a window that no screen shows any part of into the work area of the screen nearest to
// it, keeping its size, so that a position stored on a machine with more or larger screens (or
// written by hand) cannot leave it out of the user's reach. A window that shows even in part
// stays where it is.
inline void KeepWindowOnScreen(HWND window) {
  RECT frame{};
  if (!GetWindowRect(window, &frame) || MonitorFromRect(&frame, MONITOR_DEFAULTTONULL)) return;
  MONITORINFO screen{};
  screen.cbSize = sizeof(screen);
  if (!GetMonitorInfoA(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &screen)) return;
  const RECT& work = screen.rcWork;
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  // A window larger than the screen keeps its top left corner (and so its caption) in view.
  const LONG left = std::max(work.left, std::min(frame.left, work.right - width));
  const LONG top = std::max(work.top, std::min(frame.top, work.bottom - height));
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
