#include "platform/win32/win32_file_writer.h"

#include <windows.h>

#include "platform/app_error.h"
#include "platform/win32/owned_handle.h"

namespace {

// The file-creation error names the path.
AppError CannotCreate(const std::string& path) {
  return AppError("ファイル " + path + " を作成できません");
}

}  // namespace

void Win32FileWriter::WriteNew(const std::string& path, const std::string& bytes) {
  OwnedKernelHandle file = OwnFileHandle(CreateFileA(
      path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw CannotCreate(path);
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  file.Reset();
  if (!ok || written != bytes.size()) throw CannotCreate(path);
}
