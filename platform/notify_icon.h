#pragma once

#include <string>

// An icon image as the logic passes it around (HICON on Windows); null is no image.
using IconHandle = void*;

enum class NotifyAction { Add, Modify, Delete };

// What one Shell_NotifyIconA call carries; the adapter supplies its own callback window.
struct NotifyIconRecord {
  unsigned id = 0;
  unsigned flags = 0;  // NIF_MESSAGE 1, NIF_ICON 2, NIF_TIP 4
  unsigned callback_message = 0;
  IconHandle icon = nullptr;
  std::string tip;

  bool operator==(const NotifyIconRecord&) const = default;
};

inline constexpr unsigned kNifMessage = 1;
inline constexpr unsigned kNifIcon = 2;
inline constexpr unsigned kNifTip = 4;

// The shell's notification area.
class NotifyIcons {
 public:
  virtual ~NotifyIcons() = default;
  // Shell_NotifyIconA; false when the shell refused.
  virtual bool Notify(NotifyAction action, const NotifyIconRecord& record) = 0;
};
