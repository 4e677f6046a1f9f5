#include "platform/win32/system_error.h"

#include <string>

#include "platform/platform_texts.h"
#include "platform/text_format.h"

AppError SystemCallError(const char* call, DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string reason = length ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  while (!reason.empty() &&
         (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
    reason.pop_back();
  // The number alone still lets a reader look the reason up.
  if (reason.empty()) reason = FormatText(texts::kSystemErrorNumber, std::to_string(error));
  return AppError(FormatText(FormatText(texts::kErrSystemCall, call), reason));
}
