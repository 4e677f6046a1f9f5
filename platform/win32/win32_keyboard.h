#pragma once

#include "platform/keyboard.h"

class Win32Keyboard : public Keyboard {
 public:
  bool IsToggled(int virtual_key) override;
  bool IsDown(int virtual_key) override;
  void PressAndRelease(int virtual_key) override;
  void SendKey(int virtual_key, bool key_up) override;
};
