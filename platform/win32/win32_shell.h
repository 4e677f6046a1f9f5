#pragma once

#include <string>

#include "platform/shell.h"

class Win32Shell : public Shell {
 public:
  ShellAnswer Execute(WindowHandle owner, const std::string& file, const std::string& arguments,
                      const std::string& folder, int show_command) override;
  void ClearRecentDocuments() override;
};
