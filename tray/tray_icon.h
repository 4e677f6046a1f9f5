#pragma once

#include <functional>
#include <string>

#include "platform/notify_icon.h"

// The notification-area callback message: WM_USER + 200.
inline constexpr unsigned kTrayCallbackMessage = 0x04C8;
// Most live icons a process may have.
inline constexpr int kMaxTrayIcons = 100;
// Longest tip kept, in bytes; the record's buffer holds 64 with its terminating zero.
inline constexpr size_t kTipHelpBytes = 62;

// The mouse messages the shell reports for an icon.
inline constexpr unsigned kWmMouseMove = 0x200;
inline constexpr unsigned kWmLButtonDown = 0x201;
inline constexpr unsigned kWmLButtonUp = 0x202;
inline constexpr unsigned kWmLButtonDblClk = 0x203;
inline constexpr unsigned kWmRButtonDown = 0x204;
inline constexpr unsigned kWmRButtonUp = 0x205;
inline constexpr unsigned kWmMButtonDown = 0x207;
inline constexpr unsigned kWmMButtonUp = 0x208;

enum class TrayButton { Left, Right, Middle };

// Which popup menu an icon opens; the window holds the menus themselves.
enum class TrayMenu { None, Launcher, Conveniences };

class TrayIcon;

// What the window has to do about one callback message.
struct TrayAction {
  enum class Kind {
    None,
    // Bring the owner to the foreground, then pop `menu` up at (x, y).
    OpenMenu,
    // Call ClickTimerElapsed on the user-interface thread after delay_ms.
    StartClickTimer,
  };
  Kind kind = Kind::None;
  TrayIcon* icon = nullptr;
  TrayMenu menu = TrayMenu::None;
  int x = 0;
  int y = 0;
  unsigned delay_ms = 0;
};

// One icon in the notification area: its identifier, tip, flags and states, and the rules that
// turn the shell's mouse messages into menus and events. The window carries the actions out.
class TrayIcon {
 public:
  // Takes the next identifier; throws AppError when 100 icons are already registered.
  explicit TrayIcon(NotifyIcons& shell);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  unsigned Id() const { return id_; }
  bool IconAdded() const { return icon_added_; }
  bool PendingClick() const { return pending_click_; }

  bool Visible() const { return visible_; }
  // Stays false while there is no image. Throws AppError when the shell refuses the icon.
  void SetVisible(bool visible);
  IconHandle Icon() const { return icon_; }
  // A null image empties the icon and hides it.
  void SetIcon(IconHandle icon);
  const std::string& TipHelp() const { return tip_help_; }
  void SetTipHelp(const std::string& text);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int AnimateRate() const { return animate_rate_; }
  void SetAnimateRate(int milliseconds) { animate_rate_ = milliseconds < 100 ? 100 : milliseconds; }
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool auto_popup) { auto_popup_ = auto_popup; }
  void SetLBPopupMenu(TrayMenu menu) { lb_popup_menu_ = menu; }
  void SetRBPopupMenu(TrayMenu menu) { rb_popup_menu_ = menu; }

  std::function<void()> on_click;
  std::function<void()> on_dbl_click;
  std::function<void(TrayButton, int x, int y)> on_mouse_down;
  std::function<void(TrayButton, int x, int y)> on_mouse_up;
  std::function<void(int x, int y)> on_mouse_move;

  // The shell forgot every icon (it restarted): a shown icon is added again.
  void ShellRestarted();
  // The single-click wait is over.
  void ClickTimerElapsed();

  // Turns one callback message into its action; (x, y) is the pointer's position now.
  TrayAction MouseMessage(unsigned message, int x, int y, unsigned double_click_time_ms);

  // The record as the next update sends it.
  NotifyIconRecord Record() const;

 private:
  void UpdateNotifyIcon(NotifyAction action);
  TrayAction OpenMenuOr(TrayMenu menu, TrayButton button, int x, int y);

  NotifyIcons& shell_;
  unsigned id_ = 0;
  bool icon_added_ = false;
  bool pending_click_ = false;
  bool visible_ = false;
  IconHandle icon_ = nullptr;
  std::string tip_help_ = "TipHelp";
  bool enabled_ = true;
  int animate_rate_ = 500;
  bool auto_popup_ = true;
  TrayMenu lb_popup_menu_ = TrayMenu::None;
  TrayMenu rb_popup_menu_ = TrayMenu::None;
};

// The callback window's share: finds the icon by its identifier and lets it decide. An
// identifier that no live icon has is ignored.
TrayAction HandleTrayCallback(unsigned id, unsigned message, int x, int y,
                              unsigned double_click_time_ms);
// The icon that sent the last callback handled, or null.
TrayIcon* LastTraySender();
// Every live icon, in creation order.
void ForEachTrayIcon(const std::function<void(TrayIcon&)>& visit);
