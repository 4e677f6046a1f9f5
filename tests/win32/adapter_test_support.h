#pragma once

// Helpers for the adapter tests under Wine: scratch folders and registry keys, and child
// copies of this test program; waits and file helpers come from the shared support.

#include <windows.h>

#include <functional>
#include <string>

#include "common/wait_and_files.h"

// A name no other test run uses: the prefix, the process id and a counter.
std::string UniqueName(const std::string& prefix);

// The running test program's own path.
std::string TestProgramPath();

// Whether the button's caption fits inside it in the button's own font.
bool CaptionFits(HWND button);

// A fresh folder under the temporary folder, removed with its content afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The folder's path without a trailing backslash.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Sets an environment variable for as long as the object lives; children inherit it.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
};

// The variable that makes a copy of this program act as a child for a test (see
// adapter_test_children.cpp); its value is "<mode>:<details>".
inline constexpr char kChildModeVariable[] = "MORVELIN_ADAPTER_CHILD";

// Child exit codes.
inline constexpr DWORD kChildSawAnotherInstance = 10;
inline constexpr DWORD kChildSawNoOtherInstance = 20;
inline constexpr DWORD kChildFailed = 30;

// Starts a copy of the given program in child mode and returns its process handle (or null).
HANDLE StartChild(const std::string& program, const std::string& mode);
// Waits for the process to end and returns its exit code, or kChildFailed on timeout.
DWORD WaitForExitCode(HANDLE process, DWORD limit_ms = 30000);
