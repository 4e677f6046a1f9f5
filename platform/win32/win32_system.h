#pragma once

#include <string>

#include "platform/system.h"

class Win32System : public System {
 public:
  void Beep() override;
  void RequestRestart() override;
  std::string ProgramFilePath() override;
};

// Once it has created the mutex, the handle stays open until the process ends, even past this
// object's life: closing it early would let a second instance in.
class Win32SingleInstance : public SingleInstance {
 public:
  bool AnotherInstanceRuns(const std::string& name) override;
  // Lets another instance start while this one only finishes quietly in the background.
  void LetGo();

 private:
  void* held_ = nullptr;  // the mutex, held on purpose until the process ends or LetGo
};
