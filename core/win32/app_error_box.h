#pragma once

#include <string>

#include "core/message_dialogs.h"
#include "platform/win32/win32_message_boxes.h"

// The application's general error box, for windows that have no presenter to ask.
inline void ShowAppErrorBox(const std::string& message) {
  Win32MessageBoxes boxes;
  MessageDialogs(boxes).ShowAppError(message);
}
