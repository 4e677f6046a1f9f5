#pragma once

#include <string>

#include "platform/window_handle.h"

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA with a null verb; the result is not examined. Texts are passed whole.
  virtual void Execute(WindowHandle owner, const std::string& file, const std::string& arguments,
                       const std::string& folder, int show_command) = 0;
  // SHAddToRecentDocs(SHARD_PIDL, NULL).
  virtual void ClearRecentDocuments() = 0;
};
