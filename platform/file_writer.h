#pragma once

#include <string>

// Whole files written anew.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Creates or replaces the file with exactly these bytes. Throws AppError naming the path
  // when it cannot be created or written.
  virtual void WriteNew(const std::string& path, const std::string& bytes) = 0;
};
