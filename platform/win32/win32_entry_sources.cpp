#include "platform/win32/win32_entry_sources.h"

#include <windows.h>

#include <algorithm>

#include "platform/app_error.h"
#include "platform/platform_texts.h"
#include "platform/text_format.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/system_error.h"

namespace {

HKEY RootOf(Hive hive) {
  return hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::string WithReason(const char* pattern, const std::string& name, DWORD error) {
  return FormatText(FormatText(pattern, name), SystemReason(error));
}

}  // namespace

std::vector<RawValue> Win32RawRegistry::Values(Hive hive, const std::string& path) {
  OwnedRegistryKey key;
  const LONG opened = RegOpenKeyExA(RootOf(hive), path.c_str(), 0, KEY_QUERY_VALUE, key.Receive());
  if (opened == ERROR_FILE_NOT_FOUND) return {};
  if (opened != ERROR_SUCCESS) throw AppError(FormatText(texts::kErrReadValue, path));
  DWORD name_most = 0, data_most = 0;
  if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &name_most, &data_most, nullptr, nullptr) != ERROR_SUCCESS)
    throw AppError(FormatText(texts::kErrReadValue, path));
  // The key counts a name in characters, which take up to two bytes each here; and a value
  // may grow meanwhile: a buffer that is too small grows until the value fits.
  std::string name(2 * name_most + 2, '\0');
  std::string data(data_most + 2, '\0');
  std::vector<RawValue> values;
  for (DWORD index = 0;;) {
    DWORD name_length = static_cast<DWORD>(name.size());
    DWORD data_length = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG result = RegEnumValueA(key.Get(), index, name.data(), &name_length, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &data_length);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_MORE_DATA && name.size() < (1u << 16) && data.size() < (1u << 26)) {
      name.resize(name.size() * 2);
      data.resize(std::max<size_t>(data.size() * 2, data_length));
      continue;
    }
    if (result != ERROR_SUCCESS) throw AppError(FormatText(texts::kErrReadValue, path));
    values.push_back({name.substr(0, name_length), type, data.substr(0, data_length)});
    ++index;
  }
  return values;
}

void Win32RawRegistry::Put(Hive hive, const std::string& path, const RawValue& value) {
  OwnedRegistryKey key;
  if (RegCreateKeyExA(RootOf(hive), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
    throw AppError(FormatText(texts::kErrCreateKey, path));
  if (RegSetValueExA(key.Get(), value.name.c_str(), 0, value.type,
                     reinterpret_cast<const BYTE*>(value.data.data()),
                     static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS)
    throw AppError(FormatText(texts::kErrWriteValue, value.name));
}

void Win32RawRegistry::Delete(Hive hive, const std::string& path, const std::string& name) {
  OwnedRegistryKey key;
  const LONG opened = RegOpenKeyExA(RootOf(hive), path.c_str(), 0, KEY_SET_VALUE, key.Receive());
  if (opened == ERROR_FILE_NOT_FOUND) return;
  const LONG result = opened == ERROR_SUCCESS ? RegDeleteValueA(key.Get(), name.c_str()) : opened;
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
    throw AppError(FormatText(texts::kErrDeleteValue, name));
}

bool Win32RawRegistry::MayWrite(Hive hive, const std::string& path) {
  OwnedRegistryKey key;
  return RegOpenKeyExA(RootOf(hive), path.c_str(), 0, KEY_SET_VALUE, key.Receive()) ==
         ERROR_SUCCESS;
}

namespace {

std::wstring Wide(const std::string& text) {
  const int size =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(size, 0)), L'\0');
  if (size > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

// The ANSI spelling of a name, and whether it reads back as the same name: a best fit or a
// stand-in ("café" as "cafe", "한글" as "??") does not.
FolderFile Ansi(const std::wstring& name) {
  const int length = static_cast<int>(name.size());
  const int size =
      WideCharToMultiByte(CP_ACP, 0, name.data(), length, nullptr, 0, nullptr, nullptr);
  FolderFile file;
  file.name.assign(static_cast<size_t>(std::max(size, 0)), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, name.data(), length, file.name.data(), size, nullptr, nullptr);
  file.exact = size > 0 && Wide(file.name) == name;
  return file;
}

}  // namespace

std::vector<FolderFile> Win32FileStore::FileNames(const std::string& folder) {
  std::vector<FolderFile> names;
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = Wide(folder + "\\*");
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  constexpr DWORD kShellFile = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;  // desktop.ini
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if ((found.dwFileAttributes & kShellFile) == kShellFile) continue;
    names.push_back(Ansi(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool Win32FileStore::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32FileStore::Read(const std::string& path) {
  const OwnedKernelHandle file = OwnFileHandle(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (64 << 20)) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size()))
    return std::nullopt;
  return bytes;
}

void Win32FileStore::Create(const std::string& path, const std::string& bytes) {
  OwnedKernelHandle file = OwnFileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw AppError(WithReason(texts::kErrWriteFile, path, GetLastError()));
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size() || !FlushFileBuffers(file.Get())) {
    const DWORD error = GetLastError();
    file.Reset();
    DeleteFileA(path.c_str());  // a part of the file is worth nothing
    throw AppError(WithReason(texts::kErrWriteFile, path, error));
  }
}

void Win32FileStore::CopyFacts(const std::string& from, const std::string& to) {
  WIN32_FILE_ATTRIBUTE_DATA facts{};
  if (!GetFileAttributesExA(from.c_str(), GetFileExInfoStandard, &facts))
    throw AppError(WithReason(texts::kErrWriteFile, to, GetLastError()));
  {
    const OwnedKernelHandle file = OwnFileHandle(CreateFileA(
        to.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file || !SetFileTime(file.Get(), &facts.ftCreationTime, &facts.ftLastAccessTime,
                              &facts.ftLastWriteTime))
      throw AppError(WithReason(texts::kErrWriteFile, to, GetLastError()));
  }
  // Last, as a read-only file takes no more changes.
  constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD attributes = facts.dwFileAttributes & kSettable;
  if (!SetFileAttributesA(to.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL))
    throw AppError(WithReason(texts::kErrWriteFile, to, GetLastError()));
}

void Win32FileStore::Delete(const std::string& path) {
  if (DeleteFileA(path.c_str())) return;
  DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
    if (DeleteFileA(path.c_str())) return;
    error = GetLastError();
    SetFileAttributesA(path.c_str(), attributes);
  }
  if (Exists(path)) throw AppError(WithReason(texts::kErrDeleteFile, path, error));
}

void Win32FileStore::MakeFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return;
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw AppError(WithReason(texts::kErrWriteFile, path, error));
}

std::string Win32FileStore::Expanded(const std::string& text) {
  std::string expanded(2 * text.size() + MAX_PATH, '\0');
  for (;;) {
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), expanded.data(),
                                                 static_cast<DWORD>(expanded.size()));
    if (size == 0) return text;
    // The size may count characters rather than bytes: the text ends at its NUL.
    if (size <= expanded.size()) return expanded.c_str();
    expanded.assign(2 * static_cast<size_t>(size), '\0');
  }
}
