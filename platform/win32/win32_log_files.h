#pragma once

#include <cstdint>
#include <string>

#include "platform/log_files.h"

class Win32LogFiles : public LogFiles {
 public:
  std::int64_t SizeOf(const std::string& path) override;
  std::string ReadAll(const std::string& path) override;
  void Replace(const std::string& path, const std::string& bytes) override;
  void Append(const std::string& path, const std::string& bytes) override;
};

class Win32SystemErrorTexts : public SystemErrorTexts {
 public:
  std::string ErrorText(unsigned long code) override;
};
