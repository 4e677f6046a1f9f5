#pragma once

// Recording fakes of the platform services, for the native unit tests.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/app_error.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"

// Registry: values by "Section\Name"; a value can be made unreadable or unwritable.
class FakeRegistry : public Registry {
 public:
  struct Value {
    std::string text;
    bool is_text = true;  // false: stored with a type other than REG_SZ
  };
  std::map<std::string, Value> values;         // key "Section\Name"
  std::set<std::string> failing_writes;        // "Section\Name" whose write fails
  std::set<std::string> failing_reads;         // "Section\Name" whose read fails
  std::set<std::string> uncreatable_sections;  // sections whose subkey cannot be created
  std::vector<std::string> read_log;           // "Section\Name" in read order
  std::vector<std::string> write_log;          // "Section\Name=text" in write order
  std::vector<std::string> opened_paths;
  int open_keys = 0;  // keys currently open

  std::unique_ptr<RegistryKey> OpenCurrentUserKey(std::string_view path) override;
  std::set<std::string> missing_keys;  // paths that only the creating open can open
  std::unique_ptr<RegistryKey> OpenExistingCurrentUserKey(std::string_view path) override;
  void Set(const std::string& section, const std::string& name, const std::string& text) {
    values[section + "\\" + name] = Value{text, true};
  }
  std::optional<std::string> Get(const std::string& section, const std::string& name) const {
    auto it = values.find(section + "\\" + name);
    if (it == values.end()) return std::nullopt;
    return it->second.text;
  }
};

// Profile files: keys per path in insertion order, as the real file keeps them on disk.
class FakeProfileFiles : public ProfileFiles {
 public:
  struct File {
    std::vector<std::pair<std::string, std::string>> keys;  // "Section\Key", value
    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    void Put(const std::string& section, const std::string& key, const std::string& value);
  };
  std::map<std::string, File> files;
  // "Key" names whose write fails; a whole-file replacement that changes one of them fails.
  std::set<std::string> failing_writes;
  int replacements = 0;              // whole-file replacements that succeeded
  std::set<std::string> unreadable;  // paths whose reads fail, as a file held by another
  std::set<std::string> leftovers;   // paths with a copy an interrupted save left beside
  // "Key=value" in write order; a whole-file replacement logs the keys it changes, in file order.
  std::vector<std::string> write_log;
  std::vector<std::string> read_log;  // "Key" in read order
  std::vector<std::string> opened_paths;
  int open_files = 0;

  std::unique_ptr<ProfileFile> Open(const std::string& path) override;
};

// A started process the test makes ready, and paths and ports it makes available; each
// connection answers on its second check.
struct FakeProcessState : WatchedProcess {
  bool idle = false, window = false, ended = false;
  std::int64_t processor_ms = 0;
  bool InputIdle() override { return idle; }
  bool ShowsWindow() override { return window; }
  bool Ended() override { return ended; }
  std::optional<std::int64_t> ProcessorMs() override { return processor_ms; }
};

struct FakeReadiness : Readiness {
  std::set<std::string> paths, open_ports;
  int attempts = 0;
  bool PathExists(const std::string& path) override { return paths.count(path) > 0; }
  std::unique_ptr<ConnectionAttempt> Connect(const std::string& target) override {
    struct Attempt : ConnectionAttempt {
      const std::set<std::string>& open;
      std::string target;
      int checks = 0;
      Attempt(const std::set<std::string>& open, std::string t) : open(open), target(t) {}
      State Check() override {
        return checks++ == 0        ? State::Pending
               : open.count(target) ? State::Accepted
                                    : State::Refused;
      }
    };
    ++attempts;
    return std::make_unique<Attempt>(open_ports, target);
  }
};

class FakeShell : public Shell {
 public:
  struct Call {
    WindowHandle owner;
    std::string file, arguments, folder;
    int show_command;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  int recent_cleared = 0;
  std::vector<std::string>* event_log = nullptr;  // optional shared order log

  std::map<std::string, ShellAnswer> answers;  // by file; 42 for any other

  ShellAnswer Execute(WindowHandle owner, const std::string& file, const std::string& arguments,
                      const std::string& folder, int show_command) override {
    calls.push_back({owner, file, arguments, folder, show_command});
    if (event_log) event_log->push_back("launch " + file);
    const auto found = answers.find(file);
    return found != answers.end() ? found->second : ShellAnswer{42, 0};
  }
  // The process of each watched launch the shell took, by file; owned by the launcher.
  std::map<std::string, FakeProcessState*> processes;
  ShellAnswer ExecuteWatched(WindowHandle owner, const std::string& file,
                             const std::string& arguments, const std::string& folder,
                             int show_command, std::unique_ptr<WatchedProcess>& process) override {
    const ShellAnswer answer = Execute(owner, file, arguments, folder, show_command);
    if (answer.Succeeded()) process.reset(processes[file] = new FakeProcessState);
    return answer;
  }
  void ClearRecentDocuments() override {
    ++recent_cleared;
    if (event_log) event_log->push_back("clear recent");
  }
};

class FakeKeyboard : public Keyboard {
 public:
  std::map<int, bool> toggled;
  std::vector<std::string> events;  // "press 20", "release 20"
  std::vector<std::string>* event_log = nullptr;

  std::map<int, bool> down;

  bool IsToggled(int vk) override { return toggled[vk]; }
  bool IsDown(int vk) override { return down[vk]; }
  void PressAndRelease(int vk) override {
    events.push_back("press " + std::to_string(vk));
    events.push_back("release " + std::to_string(vk));
    toggled[vk] = !toggled[vk];
    if (event_log) event_log->push_back("key " + std::to_string(vk));
  }
  void SendKey(int vk, bool key_up) override {
    events.push_back((key_up ? "up " : "down ") + std::to_string(vk));
  }
};

class FakeClock : public Clock {
 public:
  LocalTime now{2026, 12, 6, 8, 12, 30};
  LocalTime Now() override { return now; }
};

class FakeSystem : public System {
 public:
  int beeps = 0;
  int restarts = 0;
  std::string program_path = "C:\\Tools\\Morvelin\\Morvelin.exe";
  std::vector<std::string>* event_log = nullptr;

  void Beep() override {
    ++beeps;
    if (event_log) event_log->push_back("beep");
  }
  void RequestRestart() override { ++restarts; }
  std::string ProgramFilePath() override { return program_path; }
};

class FakeSingleInstance : public SingleInstance {
 public:
  bool other_running = false;
  std::vector<std::string> names;
  bool AnotherInstanceRuns(const std::string& name) override {
    names.push_back(name);
    return other_running;
  }
};

// Message boxes: records each box and answers from a script (default: the default button).
class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Box {
    std::string caption;
    BoxIcon icon;
    BoxButtons buttons;
    std::string text;
  };
  std::vector<Box> shown;
  std::deque<BoxAnswer> answers;
  std::vector<std::string>* event_log = nullptr;
  std::function<void()> on_show;     // while the box is up, before it is answered
  std::function<void()> while_open;  // once, as the box's own loop runs a posted command

  BoxAnswer Show(const std::string& caption, BoxIcon icon, BoxButtons buttons,
                 const std::string& text) override {
    if (auto run = std::exchange(while_open, nullptr)) run();
    shown.push_back({caption, icon, buttons, text});
    if (on_show) on_show();
    if (event_log) event_log->push_back("box " + text);
    if (!answers.empty()) {
      BoxAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == BoxButtons::YesNo || buttons == BoxButtons::YesNoCancel ? BoxAnswer::Yes
                                                                              : BoxAnswer::Ok;
  }
};
