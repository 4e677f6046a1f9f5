#pragma once

#include <memory>
#include <string>

#include "platform/profile_file.h"

// INI files through the system's private-profile calls. Every write goes straight to the file.
// Reads of plain keys in a file given by its full path come from one listing of their section,
// taken again whenever the file's size or write time has changed since; they return what a
// key read of the system would, byte for byte. Other reads ask the system key by key.
class Win32ProfileFiles : public ProfileFiles {
 public:
  std::unique_ptr<ProfileFile> Open(const std::string& path) override;
};
