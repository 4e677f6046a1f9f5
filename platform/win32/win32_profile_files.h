#pragma once

#include <memory>
#include <string>

#include "platform/profile_file.h"

// INI files through the system's private-profile calls; every call goes straight to the file.
class Win32ProfileFiles : public ProfileFiles {
 public:
  std::unique_ptr<ProfileFile> Open(const std::string& path) override;
};
