#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/app_error.h"
#include "platform/log_files.h"
#include "platform/processor_use.h"
#include "platform/repeating_timer.h"
#include "platform/running_programs.h"

// Log files as byte strings by path; one path can be made unwritable.
class FakeLogFiles : public LogFiles {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::string unwritable;

  std::int64_t SizeOf(const std::string& path) override {
    if (folders.count(path)) return kNotAFile;
    const auto found = files.find(path);
    return found == files.end() ? -1 : static_cast<std::int64_t>(found->second.size());
  }
  std::string ReadAll(const std::string& path) override {
    const auto found = files.find(path);
    return found == files.end() ? std::string() : found->second;
  }
  void Replace(const std::string& path, const std::string& bytes) override {
    Check(path);
    files[path] = bytes;
  }
  void Append(const std::string& path, const std::string& bytes) override {
    Check(path);
    files[path] += bytes;
  }

 private:
  void Check(const std::string& path) const {
    if (path == unwritable) throw AppError(path + " に書き込めません");
  }
};

class FakeErrorTexts : public SystemErrorTexts {
 public:
  std::string ErrorText(unsigned long code) override {
    return code == 2 ? "指定されたファイルが見つかりません。\r\n" : "";
  }
};

class FakeRunningPrograms : public RunningPrograms {
 public:
  std::vector<std::string> paths;
  bool fails = false;
  int asked = 0;
  std::vector<std::string> ProgramPaths() override {
    ++asked;
    if (fails) throw AppError("no list");
    return paths;
  }
};

// A timer the test fires by hand.
class FakeTimer : public RepeatingTimer {
 public:
  int milliseconds = 0;
  bool running = false;
  bool refuses = false;
  std::function<void()> tick;

  bool Start(int interval, std::function<void()> callback) override {
    if (refuses) return false;
    milliseconds = interval;
    tick = std::move(callback);
    running = true;
    return true;
  }
  void Stop() override { running = false; }
  void Fire() {
    if (running && tick) tick();
  }
};

// A clock and processor counters that move only when the test lets time pass, the processors
// busy by the share busy_percent gives for each millisecond.
struct FakeMachine : TickClock, ProcessorUse {
  std::int64_t now = 0;
  ProcessorTimes times;
  std::function<int(std::int64_t)> busy_percent = [](std::int64_t) { return 5; };
  std::int64_t Milliseconds() override { return now; }
  std::optional<ProcessorTimes> Times() override { return times; }
  void RunTo(std::int64_t to) {
    for (; now < to; ++now) times.total += 100, times.idle += 100 - busy_percent(now);
  }
};
