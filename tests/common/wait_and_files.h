#pragma once

// Waiting on conditions and reading and writing whole files: shared by the Windows tests and
// the end-to-end driver.

#include <windows.h>

#include <functional>
#include <string>

// Generous limit for anything a program does in answer to one step.
inline constexpr DWORD kWaitLimitMs = 30000;

// Polls the condition until it holds or the limit passes; true when it held. Keeps the calling
// thread's messages moving meanwhile: some conditions depend on input it has to take in.
bool WaitUntil(const std::function<bool()>& condition, DWORD limit_ms = kWaitLimitMs);

// True for an existing file, false for a folder or nothing.
bool FileExists(const std::string& path);
// The file's bytes; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string* bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
