#pragma once

#include <windows.h>

#include "platform/app_error.h"

// An AppError naming the system call that failed and the system's own reason for `error`.
AppError SystemCallError(const char* call, DWORD error = GetLastError());
