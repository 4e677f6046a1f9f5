#include "platform/win32/win32_profile_files.h"

#include <windows.h>

#include "core/text_format.h"
#include "core/texts.h"
#include "platform/app_error.h"

namespace {

class Win32ProfileFile : public ProfileFile {
 public:
  explicit Win32ProfileFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const override { return path_; }

  std::string ReadKey(std::string_view section, std::string_view key) override {
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
        return buffer;
      }
      buffer.assign(buffer.size() * 2, '\0');
    }
  }

  void WriteKey(std::string_view section, std::string_view key, std::string_view value) override {
    const std::string section_name(section);
    const std::string key_name(key);
    const std::string text(value);
    // The BOOL is the only trustworthy outcome; the last error holds leftovers on success.
    if (!WritePrivateProfileStringA(section_name.c_str(), key_name.c_str(), text.c_str(),
                                    path_.c_str())) {
      throw AppError(FormatText(texts::kErrWriteItemFile, path_));
    }
  }

 private:
  std::string path_;
};

}  // namespace

std::unique_ptr<ProfileFile> Win32ProfileFiles::Open(const std::string& path) {
  return std::make_unique<Win32ProfileFile>(path);
}
