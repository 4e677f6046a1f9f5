#pragma once

#include <optional>
#include <string>
#include <vector>

// Where the system keeps what it starts at log-on, reached without interpreting it: registry
// values of any type as stored, plain files and the fields of shortcut files.

enum class Hive { CurrentUser, LocalMachine };

// REG_SZ and REG_EXPAND_SZ, as the registry numbers them.
inline constexpr unsigned long kRegText = 1;
inline constexpr unsigned long kRegExpandText = 2;

// One registry value: its name, type and the data bytes exactly as stored.
struct RawValue {
  std::string name;
  unsigned long type = kRegText;
  std::string data;
  bool operator==(const RawValue&) const = default;
};

class RawRegistry {
 public:
  virtual ~RawRegistry() = default;
  // The key's values in the order the registry gives them; none when the key is missing.
  // Throws AppError when the key is there but cannot be read.
  virtual std::vector<RawValue> Values(Hive hive, const std::string& path) = 0;
  // Stores the value with its type and data, creating the key when it is missing. Throws
  // AppError when it cannot.
  virtual void Put(Hive hive, const std::string& path, const RawValue& value) = 0;
  // Deletes the value; a value that is not there counts as deleted. Throws AppError when it
  // is still there.
  virtual void Delete(Hive hive, const std::string& path, const std::string& name) = 0;
  // Whether values of the key may be set and deleted by this user; false for a missing key.
  virtual bool MayWrite(Hive hive, const std::string& path) = 0;
};

// A file found in a folder. A name with characters the ANSI code page lacks is shown with
// stand-ins, which may spell another file's name: such a file is not `exact` and must not be
// acted on by that name.
struct FolderFile {
  std::string name;
  bool exact = true;
  bool operator==(const FolderFile&) const = default;
};

// Whole files, read and written as bytes. Paths are ANSI.
class FileStore {
 public:
  virtual ~FileStore() = default;
  // The plain files in the folder (no folders, no hidden system files such as desktop.ini);
  // none when the folder is missing.
  virtual std::vector<FolderFile> FileNames(const std::string& folder) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // The file's bytes; nothing when it cannot be read.
  virtual std::optional<std::string> Read(const std::string& path) = 0;
  // Creates the file with exactly these bytes; an existing file is never replaced. Throws
  // AppError when the file cannot be created or written.
  virtual void Create(const std::string& path, const std::string& bytes) = 0;
  // Gives the file the attributes and times of another; throws AppError when it cannot.
  virtual void CopyFacts(const std::string& from, const std::string& to) = 0;
  // Throws AppError when the file is still there afterwards; a read-only file goes too.
  virtual void Delete(const std::string& path) = 0;
  // Creates the folder unless it exists; throws AppError when there is none afterwards.
  virtual void MakeFolder(const std::string& path) = 0;
  // The text with its %NAME% references to the environment replaced, as the system reads an
  // expandable value; a name the environment lacks stays as it is.
  virtual std::string Expanded(const std::string& text) = 0;
};

// What a shortcut file starts.
struct ShortcutFields {
  std::string target;
  std::string arguments;
  std::string folder;
  int show_command = 1;
};

class ShortcutReader {
 public:
  virtual ~ShortcutReader() = default;
  // Nothing when the file is missing or no shortcut.
  virtual std::optional<ShortcutFields> ReadLink(const std::string& link_file) = 0;
};
