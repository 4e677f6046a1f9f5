#include "platform/win32/system_error.h"

#include "platform/platform_texts.h"
#include "platform/text_format.h"

std::string SystemText(DWORD code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length && buffer ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text;
}

std::string SystemReason(DWORD code) {
  std::string reason = SystemText(code);
  // The number alone still lets a reader look the reason up.
  if (reason.empty()) reason = FormatText(texts::kErrorCode, std::to_string(code));
  return reason;
}

AppError SystemCallError(const char* call, DWORD error) {
  return AppError(FormatText(FormatText(texts::kErrSystemCall, call), SystemReason(error)));
}
