#pragma once

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // Lowest bit of GetKeyState(virtual_key).
  virtual bool IsToggled(int virtual_key) = 0;
  // Whether the key is held down now, whatever window has the input (GetAsyncKeyState).
  virtual bool IsDown(int virtual_key) = 0;
  // keybd_event press, then release, of the key.
  virtual void PressAndRelease(int virtual_key) = 0;
  // One keybd_event: the key goes down, or up.
  virtual void SendKey(int virtual_key, bool key_up) = 0;
};

inline constexpr int kVkShift = 0x10;
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkNumLock = 0x90;
