#pragma once

#include <string>

// The text of a Windows error code, for diagnostics in tests.
std::string Win32ErrorText(unsigned long code);
