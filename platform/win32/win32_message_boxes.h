#pragma once

#include <string>

#include "platform/message_box.h"

// System message boxes, modal to the thread's active window and centred on the screen, with the
// program's own button texts whatever language the system speaks.
class Win32MessageBoxes : public MessageBoxes {
 public:
  BoxAnswer Show(const std::string& caption, BoxIcon icon, BoxButtons buttons,
                 const std::string& text) override;
};
