#pragma once

#include <functional>

// The window that shows the buttons and menu items: each feature hands it the commands it owns,
// so that what a button does is found beside what it acts on.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  // The command behind a tool button or menu item id.
  virtual void SetCommandHandler(int id, std::function<void()> handler) = 0;
  // Asked first when the window is to close; false keeps it open.
  virtual void SetCloseQuery(std::function<bool()> query) = 0;
  // The close handling, run before the window goes.
  virtual void SetCloseHandler(std::function<void()> handler) = 0;
};
