#pragma once

#include "platform/file_writer.h"

class Win32FileWriter : public FileWriter {
 public:
  void WriteNew(const std::string& path, const std::string& bytes) override;
};
