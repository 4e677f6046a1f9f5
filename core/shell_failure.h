#pragma once

#include <string>

#include "platform/log_files.h"
#include "platform/shell.h"

// Why the shell did not open a file, in words a user can read: the system's reason when the
// shell left one, otherwise the meaning of its own answer. The shell's answers from 26 on are
// its own and no system error, so they are never looked up as one.
std::string ShellFailureText(const ShellAnswer& answer, SystemErrorTexts& texts);
