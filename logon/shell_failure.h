#pragma once

#include <string>

#include "platform/log_files.h"
#include "platform/shell.h"

// Why the shell did not open a file, in words a user can read. The shell's answers from 26 on
// (and 0) are its own and no system error, so they are worded here; for the others the
// system's reason is given, the one the shell left if any.
std::string ShellFailureText(const ShellAnswer& answer, SystemErrorTexts& texts);
