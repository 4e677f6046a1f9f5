#pragma once

// Reading and writing registry values as stored, type and raw bytes: shared by the Windows
// tests and the end-to-end driver.

#include <windows.h>

#include <string>
#include <vector>

struct RegValue {
  bool exists = false;
  DWORD type = 0;
  std::string bytes;  // raw data, a text's terminating NUL included
};

bool RegKeyExists(HKEY root, const std::string& key);
RegValue ReadRegValue(HKEY root, const std::string& key, const std::string& name);
std::vector<std::string> RegValueNames(HKEY root, const std::string& key);
// Creates the key when it is missing.
bool WriteRegValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                   const std::string& bytes);
