#pragma once

#include <string>

#include "platform/help.h"

class Win32HelpViewer : public HelpViewer {
 public:
  bool FileExists(const std::string& path) override;
  void ShowContents(WindowHandle owner, const std::string& path) override;
};
