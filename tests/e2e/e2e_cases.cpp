#include <cstdio>

#include "e2e_internal.h"

namespace e2e {

DriverState& State() {
  static DriverState state;
  return state;
}

std::string ToUtf8(const std::string& ansi) {
  if (ansi.empty()) return {};
  int wide = MultiByteToWideChar(932, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(932, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// ---- Cases ----

RunSettings& Settings() {
  return State().settings;
}

void RunCaseBody(const char* name, CaseFunction body) {
  Log(std::string("case ") + name + ": start");
  try {
    body();
  } catch (const CaseAborted&) {
    Log(std::string("case ") + name + ": stopped after a required check failed");
  } catch (const std::exception& e) {
    RecordFailure(__FILE__, __LINE__, std::string("unexpected exception: ") + e.what());
  }
  KillLeftovers();
}

// ---- Checks ----

void Log(const std::string& message) {
  std::fputs((message + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void RecordFailure(const char* file, int line, const std::string& message) {
  ADD_FAILURE_AT(file, line) << message;
  if (State().failure_shots < 5) {
    ++State().failure_shots;
    SaveScreenshot("failure-" + std::to_string(State().failure_shots));
  }
}

std::string Describe(const std::string& text) {
  bool plain = true;
  std::string escaped;
  for (unsigned char c : text) {
    if (c >= 0x80) plain = false;
    if (c == '\r') {
      escaped += "\\r";
      plain = false;
    } else if (c == '\n') {
      escaped += "\\n";
      plain = false;
    } else if (c < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
      escaped += buffer;
      plain = false;
    } else {
      escaped += static_cast<char>(c);
    }
  }
  std::string out = "\"" + ToUtf8(escaped) + "\"";
  if (!plain) out += " [" + Hex(text) + "]";
  return out;
}

std::string Describe(const char* text) {
  return Describe(std::string(text ? text : ""));
}
std::string Describe(bool value) {
  return value ? "true" : "false";
}
std::string Describe(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + Describe(texts[i]);
  return out + "]";
}

std::string Describe(const std::pair<std::string, std::string>& key_value) {
  return Describe(key_value.first) + "=" + Describe(key_value.second);
}

}  // namespace e2e
