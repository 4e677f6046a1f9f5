#pragma once

#include <memory>
#include <string>
#include <string_view>

// An INI file, read key by key; written either key by key or as a whole that replaces the old
// file in one step.
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  virtual const std::string& Path() const = 0;
  // The whole value, however long; empty when the key is missing.
  virtual std::string ReadKey(std::string_view section, std::string_view key) = 0;
  // Throws AppError("<path> に書き込めません") when the key cannot be written.
  virtual void WriteKey(std::string_view section, std::string_view key, std::string_view value) = 0;
  // The file's bytes as they are on disk; empty when there is no file. A file another program
  // holds is waited for a moment; throws AppError ("<path> を読み込めません: <reason>") when a
  // file is there but cannot be read. Key reads throw the same rather than read nothing.
  virtual std::string ReadAll() = 0;
  // The same, but a held file fails at once: for a caller that waits on its own timer.
  virtual std::string ReadAllNow() { return ReadAll(); }
  // The key reads that follow may come from the bytes the last ReadAll read, as one snapshot,
  // without asking each time whether the file changed: a load reads thousands of keys. Any
  // write or whole read ends it.
  virtual void ReadKeysFromLastReadAll() {}
  // Removes what an interrupted replacement left beside the file.
  virtual void RemoveLeftovers() = 0;
  // Writes the bytes to a new file beside the old one and puts it in the old one's place in one
  // step, so that an interrupted save leaves either file whole. Throws AppError
  // ("<path> に書き込めません") with the old file untouched.
  virtual void ReplaceAll(std::string_view bytes) = 0;
};

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  virtual std::unique_ptr<ProfileFile> Open(const std::string& path) = 0;
};
