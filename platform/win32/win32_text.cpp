#include "platform/win32/win32_text.h"

#include <windows.h>

std::string Win32ErrorText(unsigned long code) {
  char buffer[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 buffer, sizeof buffer, nullptr);
  return buffer;
}
