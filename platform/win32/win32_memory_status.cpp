#include "platform/win32/win32_memory_status.h"

#include <windows.h>

#include "platform/app_error.h"

MemoryFigures Win32MemoryStatus::Read() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return {};
  return {status.ullTotalPhys, status.ullAvailPhys};
}

std::string Win32MemoryStatus::ThousandsSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) <= 0)
    return ",";
  return separator;
}

std::uint16_t Win32FreeResources::Percent(std::uint16_t) {
  // The user module's loader (kernel32 ordinal 35) only exists for 32-bit code on the 9x
  // family; in this 64-bit program the first step can never succeed.
  throw AppError("Faild to call User.exe");
}
