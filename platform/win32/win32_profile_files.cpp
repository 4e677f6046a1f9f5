#include "platform/win32/win32_profile_files.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <unordered_map>

#include "platform/app_error.h"
#include "platform/platform_texts.h"
#include "platform/profile_text.h"
#include "platform/text_format.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/system_error.h"

namespace {

// What tells one state of the file from another: whether it exists, its size and its last
// write time. The system's own profile cache goes by the write time alone.
struct FileStamp {
  bool exists = false;
  DWORD size_high = 0;
  DWORD size_low = 0;
  DWORD written_high = 0;
  DWORD written_low = 0;

  bool operator==(const FileStamp&) const = default;
};

// A file another program holds without sharing is usually let go within moments (a backup
// or sync tool, an editor saving): wait that long before calling a read failed.
constexpr int kHeldAttempts = 100;
constexpr DWORD kHeldPauseMs = 10;

bool IsHeldError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

AppError CannotRead(const std::string& path, DWORD error) {
  return AppError(FormatText(FormatText(texts::kErrReadItemFile, path), SystemReason(error)));
}

// Opens the file for reading, waiting out a holder; nothing, with the last error set, when the
// file is missing or stays out of reach.
OwnedKernelHandle OpenForReading(const std::string& path, int attempts = kHeldAttempts) {
  for (int attempt = 1;; ++attempt) {
    OwnedKernelHandle file = OwnFileHandle(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if (!IsHeldError(error) || attempt >= attempts) {
      SetLastError(error);
      return file;
    }
    Sleep(kHeldPauseMs);
  }
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

FileStamp StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
  return {true, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime.dwHighDateTime,
          data.ftLastWriteTime.dwLowDateTime};
}

// Names whose matching the snapshot can reproduce byte for byte: letters, digits and "_".
// Anything else (blanks the system trims, "=", double-byte characters, whose case folding is
// the system's) goes to the system key by key.
bool IsPlainName(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name) {
    const bool plain =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!plain) return false;
  }
  return true;
}

// A drive or network path: the only kind for which the stamp and the system look at the same
// file (a bare name goes to the Windows folder for one and to the current folder for the other).
bool IsAbsolutePath(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
  const bool network = path.rfind("\\\\", 0) == 0;
  return drive || network;
}

class Win32ProfileFile : public ProfileFile {
 public:
  explicit Win32ProfileFile(std::string path)
      : path_(std::move(path)), snapshots_allowed_(IsAbsolutePath(path_)) {}

  const std::string& Path() const override { return path_; }

  // A load reads every key of a section in turn; asking the system for each would parse the
  // file again per key. The section read once from the file's bytes, as a key read would find
  // each value, serves them all for as long as the file's stamp stays the same, so a rewrite
  // from outside is seen on the next read all the same.
  std::string ReadKey(std::string_view section, std::string_view key) override {
    if (!snapshots_allowed_ || !IsPlainName(section) || !IsPlainName(key))
      return ReadKeyFromSystem(section, key);
    const FileStamp stamp = keep_last_read_ && last_read_ ? last_read_->stamp : StampOf(path_);
    if (!(stamp == stamp_)) {
      snapshots_.clear();
      stamp_ = stamp;
    }
    const std::string section_key = AsciiLower(section);
    auto snapshot = snapshots_.find(section_key);
    if (snapshot == snapshots_.end())
      snapshot = snapshots_.emplace(section_key, ProfileValues(BytesAsOf(stamp), section)).first;
    const auto value = snapshot->second.find(AsciiLower(key));
    return value == snapshot->second.end() ? std::string() : value->second;
  }

  void WriteKey(std::string_view section, std::string_view key, std::string_view value) override {
    snapshots_.clear();
    last_read_.reset();
    keep_last_read_ = false;
    const std::string section_name(section);
    const std::string key_name(key);
    const std::string text(value);
    // The BOOL is the only trustworthy outcome; the last error holds leftovers on success.
    if (!WritePrivateProfileStringA(section_name.c_str(), key_name.c_str(), text.c_str(),
                                    path_.c_str())) {
      throw AppError(FormatText(texts::kErrWriteItemFile, path_));
    }
  }

  std::string ReadAll() override { return ReadAllTrying(kHeldAttempts); }
  std::string ReadAllNow() override { return ReadAllTrying(1); }

  void ReadKeysFromLastReadAll() override { keep_last_read_ = true; }

  std::string ReadAllTrying(int attempts) {
    last_read_.reset();
    keep_last_read_ = false;
    const FileStamp before = StampOf(path_);
    const OwnedKernelHandle file = OpenForReading(path_, attempts);
    if (!file) {
      const DWORD error = GetLastError();
      if (IsMissing(error)) return {};
      throw CannotRead(path_, error);
    }
    std::string bytes;
    char chunk[64 * 1024];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) && got > 0)
      bytes.append(chunk, got);
    if (!ok) throw CannotRead(path_, GetLastError());
    // Kept for the key reads that follow, unless the file changed while it was read.
    if (StampOf(path_) == before) last_read_ = LastRead{before, bytes};
    return bytes;
  }

  void RemoveLeftovers() override {
    // A save killed between writing the new file and putting it in place leaves it behind.
    DeleteFileA((path_ + ".new").c_str());
  }

  void ReplaceAll(std::string_view bytes) override {
    snapshots_.clear();
    last_read_.reset();
    keep_last_read_ = false;
    // Beside the old file, so that the replacement stays on one volume and is one rename.
    const std::string fresh = path_ + ".new";
    OwnedKernelHandle file = OwnFileHandle(CreateFileA(
        fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw AppError(FormatText(texts::kErrWriteItemFile, path_));
    bool ok = true;
    for (std::size_t at = 0; ok && at < bytes.size();) {
      const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 30));
      DWORD written = 0;
      ok = WriteFile(file.Get(), bytes.data() + at, part, &written, nullptr) && written > 0;
      at += written;
    }
    ok = ok && FlushFileBuffers(file.Get());
    file.Reset();
    if (!ok || !ReplaceWithFresh(fresh)) {
      DeleteFileA(fresh.c_str());
      throw AppError(FormatText(texts::kErrWriteItemFile, path_));
    }
  }

 private:
  // The file's bytes as of the stamp: those of the last whole read when they are still the
  // file's, so that a load's first read is not done twice.
  std::string BytesAsOf(const FileStamp& stamp) {
    if (last_read_ && last_read_->stamp == stamp) return last_read_->bytes;
    return ReadAll();
  }

  // A reader that holds the old file for a moment (a scanner, an indexer, an editor's reload)
  // makes the replacement fail with a sharing error; the new file is whole, so try again for a
  // short while before calling the save failed.
  bool ReplaceWithFresh(const std::string& fresh) {
    constexpr int kAttempts = 100;
    constexpr DWORD kPauseMs = 10;
    for (int attempt = 1;; ++attempt) {
      if (MoveFileExA(fresh.c_str(), path_.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
      const DWORD error = GetLastError();
      const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
      if (!held || attempt == kAttempts) return false;
      Sleep(kPauseMs);
    }
  }

  // The system's reads give nothing both for an empty value and for a file they could not
  // open: nothing counts only once the file is seen to be missing or open to reading.
  void ConfirmReadable() {
    if (OpenForReading(path_)) return;
    const DWORD error = GetLastError();
    if (!IsMissing(error)) throw CannotRead(path_, error);
  }

  std::string ReadKeyFromSystem(std::string_view section, std::string_view key) {
    const std::string section_name(section);
    const std::string key_name(key);
    // A result of size - 1 means the value may have been cut: read again with more room.
    std::string buffer(2048, '\0');
    for (;;) {
      const DWORD size = static_cast<DWORD>(buffer.size());
      const DWORD length = GetPrivateProfileStringA(section_name.c_str(), key_name.c_str(), "",
                                                    buffer.data(), size, path_.c_str());
      if (length + 1 < size) {
        buffer.resize(length);
        if (length == 0) ConfirmReadable();
        return buffer;
      }
      buffer.assign(buffer.size() * 2, '\0');
    }
  }

  std::string path_;
  bool snapshots_allowed_;
  FileStamp stamp_;
  struct LastRead {
    FileStamp stamp;
    std::string bytes;
  };
  std::optional<LastRead> last_read_;
  bool keep_last_read_ = false;
  // By lower-case section name, each by lower-case key.
  std::map<std::string, std::unordered_map<std::string, std::string>> snapshots_;
};

}  // namespace

std::unique_ptr<ProfileFile> Win32ProfileFiles::Open(const std::string& path) {
  return std::make_unique<Win32ProfileFile>(path);
}
