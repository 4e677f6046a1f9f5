#include "platform/win32/win32_keyboard.h"

#include <windows.h>

bool Win32Keyboard::IsToggled(int virtual_key) {
  return (GetKeyState(virtual_key) & 1) != 0;
}

bool Win32Keyboard::IsDown(int virtual_key) {
  // The key's state in this thread's input follows only the messages it has read; at a start
  // there are none yet, so ask for the key as it is.
  return (GetAsyncKeyState(virtual_key) & 0x8000) != 0;
}

void Win32Keyboard::PressAndRelease(int virtual_key) {
  const BYTE key = static_cast<BYTE>(virtual_key);
  keybd_event(key, 0, 0, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

void Win32Keyboard::SendKey(int virtual_key, bool key_up) {
  keybd_event(static_cast<BYTE>(virtual_key), 0, key_up ? KEYEVENTF_KEYUP : 0, 0);
}
