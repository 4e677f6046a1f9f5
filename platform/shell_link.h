#pragma once

#include <memory>
#include <string>

// One shell-link object (a .lnk being made). Texts are ANSI bytes.
class ShellLink {
 public:
  virtual ~ShellLink() = default;
  virtual void SetPath(const std::string& target) = 0;
  virtual void SetWorkingDirectory(const std::string& folder) = 0;
  virtual void SetArguments(const std::string& arguments) = 0;
  // Writes the link, replacing a file of that name; true when it was written.
  virtual bool Save(const std::string& file_path) = 0;
};

class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  // Throws AppError when the object or one of its interfaces cannot be had.
  virtual std::unique_ptr<ShellLink> Create() = 0;
  // Whether the link file exists, reads as a shell link and starts the target file, however
  // either path is spelt (case, short names): both must name one file on disk.
  virtual bool LinksTo(const std::string& link_file, const std::string& target) = 0;
  // Deletes the link file; false when it is still there.
  virtual bool Remove(const std::string& link_file) = 0;
};
