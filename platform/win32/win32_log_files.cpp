#include "platform/win32/win32_log_files.h"

#include <windows.h>

#include "platform/app_error.h"
#include "platform/platform_texts.h"
#include "platform/text_format.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/system_error.h"

namespace {

AppError CannotWrite(const std::string& path) {
  return AppError(FormatText(texts::kErrWriteItemFile, path));
}

void WriteWhole(const OwnedKernelHandle& file, const std::string& path, const std::string& bytes) {
  if (!file) throw CannotWrite(path);
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    throw CannotWrite(path);
}

}  // namespace

std::int64_t Win32LogFiles::SizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return kNotAFile;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Win32LogFiles::ReadAll(const std::string& path) {
  const OwnedKernelHandle file =
      OwnFileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return {};
    throw CannotWrite(path);
  }
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  return bytes;
}

void Win32LogFiles::Replace(const std::string& path, const std::string& bytes) {
  WriteWhole(OwnFileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)),
             path, bytes);
}

void Win32LogFiles::Append(const std::string& path, const std::string& bytes) {
  // Appending access puts every write at the end, whoever else writes there.
  WriteWhole(OwnFileHandle(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)),
             path, bytes);
}

std::string Win32SystemErrorTexts::ErrorText(unsigned long code) {
  return SystemText(static_cast<DWORD>(code));
}
