#pragma once

// Recording fakes of what the tray launcher reaches: the notification area, the menu image
// list, the home page file and the open-file dialog.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/app_error.h"
#include "platform/file_writer.h"
#include "platform/notify_icon.h"
#include "tray/desktop_conveniences.h"
#include "tray/launcher_menu.h"

class FakeNotifyIcons : public NotifyIcons {
 public:
  struct Call {
    NotifyAction action;
    NotifyIconRecord record;
  };
  std::vector<Call> calls;
  std::set<NotifyAction> refused;
  bool Notify(NotifyAction action, const NotifyIconRecord& record) override {
    calls.push_back({action, record});
    return refused.count(action) == 0;
  }
};

// Files whose name is in `with_icon` have an icon.
class FakeMenuImages : public MenuImages {
 public:
  std::set<std::string> with_icon;
  std::vector<std::string> slots;  // the file of each slot, in order
  int clears = 0;
  void Clear() override {
    ++clears;
    slots.clear();
  }
  bool AddMenuIcon(const std::string& file) override {
    slots.push_back(file);
    return with_icon.count(file) != 0;
  }
};

class FakeFileWriter : public FileWriter {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> failing;
  void WriteNew(const std::string& path, const std::string& bytes) override {
    if (failing.count(path)) throw AppError("ファイル " + path + " を作成できません");
    files[path] = bytes;
  }
};

class FakeFileChooser : public FileChooser {
 public:
  std::optional<std::string> answer;
  std::vector<std::string> initial_folders;
  std::optional<std::string> ChooseFile(const std::string& initial_folder) override {
    initial_folders.push_back(initial_folder);
    return answer;
  }
};
