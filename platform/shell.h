#pragma once

#include <memory>
#include <string>

#include "platform/readiness.h"
#include "platform/window_handle.h"

// What ShellExecuteA answered: above 32 the file was handed on; otherwise its error code, with
// the system error it left behind (0 when none).
struct ShellAnswer {
  int code = 33;
  unsigned long system_error = 0;
  bool Succeeded() const { return code > 32; }
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA with a null verb. Texts are passed whole; only the log-on report reads the
  // answer.
  virtual ShellAnswer Execute(WindowHandle owner, const std::string& file,
                              const std::string& arguments, const std::string& folder,
                              int show_command) = 0;
  // The same through ShellExecuteExA, keeping the started process to follow (with no error box
  // of the shell's own: the report says what failed). The process stays empty when the shell
  // started none, a document handed to a program already running, say.
  virtual ShellAnswer ExecuteWatched(WindowHandle owner, const std::string& file,
                                     const std::string& arguments, const std::string& folder,
                                     int show_command,
                                     std::unique_ptr<WatchedProcess>& process) = 0;
  // SHAddToRecentDocs(SHARD_PIDL, NULL).
  virtual void ClearRecentDocuments() = 0;
};
