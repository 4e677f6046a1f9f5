#pragma once

#include <string>

struct LocalTime {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
  int hour = 0;   // 0-23
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
};

class System {
 public:
  virtual ~System() = default;
  // MessageBeep(0).
  virtual void Beep() = 0;
  // ExitWindowsEx(EWX_REBOOT, 0); the result is ignored.
  virtual void RequestRestart() = 0;
  // Full path of the running program file.
  virtual std::string ProgramFilePath() = 0;
};

// The named mutex that keeps a second instance out.
class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // True when another process holds the mutex; otherwise creates it and holds it for good.
  virtual bool AnotherInstanceRuns(const std::string& name) = 0;
};
