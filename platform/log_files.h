#pragma once

#include <cstdint>
#include <string>

inline constexpr std::int64_t kNotAFile = -2;

// Text files that grow at their end, such as the log-on report. Every operation throws AppError
// naming the path when the file cannot be reached.
class LogFiles {
 public:
  virtual ~LogFiles() = default;
  // The size in bytes; -1 when there is nothing at the path, kNotAFile when what is there is
  // no file (a folder).
  virtual std::int64_t SizeOf(const std::string& path) = 0;
  // The whole file; empty when there is none.
  virtual std::string ReadAll(const std::string& path) = 0;
  // Creates or replaces the file with exactly these bytes.
  virtual void Replace(const std::string& path, const std::string& bytes) = 0;
  // Adds the bytes at the end, creating the file when there is none.
  virtual void Append(const std::string& path, const std::string& bytes) = 0;
};

// The system's text for an error code (FormatMessageA); empty when it has none.
class SystemErrorTexts {
 public:
  virtual ~SystemErrorTexts() = default;
  virtual std::string ErrorText(unsigned long code) = 0;
};
