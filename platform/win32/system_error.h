#pragma once

#include <windows.h>

#include <string>

#include "platform/app_error.h"

// The system's own words for an error code, on one line; empty when it has none.
std::string SystemText(DWORD code);
// The same, or "エラー <code>" when the system has no words for it.
std::string SystemReason(DWORD code);
// An AppError naming the system call that failed and the system's reason for `error`.
AppError SystemCallError(const char* call, DWORD error = GetLastError());
