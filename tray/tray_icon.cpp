#include "tray/tray_icon.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/app_error.h"
#include "platform/text_format.h"
#include "tray/tray_texts.h"

namespace {

// Process-wide by design: the shell names an icon only by its identifier.
struct RegistryEntry {
  unsigned id;
  TrayIcon* icon;
};
std::vector<RegistryEntry>& TrayIconRegistry() {
  static std::vector<RegistryEntry> entries;
  return entries;
}
TrayIcon* last_sender = nullptr;

// The first 62 bytes; a double-byte character that would be split there goes whole.
std::string CutTip(const std::string& text) {
  if (text.size() <= kTipHelpBytes) return text;
  size_t end = 0;
  while (end < kTipHelpBytes) {
    const size_t width = IsShiftJisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > kTipHelpBytes) break;
    end += width;
  }
  return text.substr(0, end);
}

}  // namespace

TrayIcon::TrayIcon(NotifyIcons& shell) : shell_(shell) {
  auto& registry = TrayIconRegistry();
  if (registry.size() >= static_cast<size_t>(kMaxTrayIcons)) {
    throw AppError(tray_texts::kCannotRegisterIcon);
  }
  id_ = registry.empty() ? 1 : registry.back().id + 1;
  registry.push_back({id_, this});
}

TrayIcon::~TrayIcon() {
  if (icon_added_) UpdateNotifyIcon(NotifyAction::Delete);
  auto& registry = TrayIconRegistry();
  registry.erase(std::remove_if(registry.begin(), registry.end(),
                                [&](const RegistryEntry& e) { return e.id == id_; }),
                 registry.end());
  if (last_sender == this) last_sender = nullptr;
}

NotifyIconRecord TrayIcon::Record() const {
  NotifyIconRecord record;
  record.id = id_;
  record.callback_message = kTrayCallbackMessage;
  record.icon = icon_;
  record.tip = tip_help_;
  record.flags = kNifMessage | kNifIcon | (tip_help_.empty() ? 0 : kNifTip);
  return record;
}

void TrayIcon::UpdateNotifyIcon(NotifyAction action) {
  const NotifyIconRecord record = Record();
  switch (action) {
    case NotifyAction::Add:
      if (!visible_) return;
      if (!shell_.Notify(NotifyAction::Add, record)) {
        throw AppError(tray_texts::kCannotRegisterIcon);
      }
      icon_added_ = true;
      return;
    case NotifyAction::Modify:
      if (!shell_.Notify(NotifyAction::Modify, record)) {
        throw AppError(tray_texts::kCannotRegisterIcon);
      }
      return;
    case NotifyAction::Delete:
      shell_.Notify(NotifyAction::Delete, record);
      icon_added_ = false;
      return;
  }
}

void TrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible && icon_ != nullptr;
  if (visible_) {
    UpdateNotifyIcon(NotifyAction::Add);
  } else if (icon_added_) {
    UpdateNotifyIcon(NotifyAction::Delete);
  }
}

void TrayIcon::SetIcon(IconHandle icon) {
  if (icon == nullptr) {
    icon_ = nullptr;
    SetVisible(false);
    return;
  }
  icon_ = icon;
  if (icon_added_) UpdateNotifyIcon(NotifyAction::Modify);
}

void TrayIcon::SetTipHelp(const std::string& text) {
  const std::string cut = CutTip(text);
  if (cut == tip_help_) return;
  tip_help_ = cut;
  if (icon_added_) UpdateNotifyIcon(NotifyAction::Modify);
}

void TrayIcon::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) pending_click_ = false;
}

void TrayIcon::ShellRestarted() {
  if (!visible_) return;
  // A shell that still knows the icon would refuse a second add of the same identifier.
  UpdateNotifyIcon(NotifyAction::Delete);
  UpdateNotifyIcon(NotifyAction::Add);
}

void TrayIcon::ClickTimerElapsed() {
  if (on_click && pending_click_) on_click();
  pending_click_ = false;
}

TrayAction TrayIcon::OpenMenuOr(TrayMenu menu, TrayButton button, int x, int y) {
  if (menu != TrayMenu::None && auto_popup_) {
    TrayAction action;
    action.kind = TrayAction::Kind::OpenMenu;
    action.icon = this;
    action.menu = menu;
    action.x = x;
    action.y = y;
    return action;
  }
  if (on_mouse_down) on_mouse_down(button, x, y);
  return {};
}

TrayAction TrayIcon::MouseMessage(unsigned message, int x, int y, unsigned double_click_time_ms) {
  if (!enabled_) return {};
  switch (message) {
    case kWmMouseMove:
      if (on_mouse_move) on_mouse_move(x, y);
      break;
    case kWmLButtonDown:
      return OpenMenuOr(lb_popup_menu_, TrayButton::Left, x, y);
    case kWmLButtonUp:
      if (on_mouse_up) {
        on_mouse_up(TrayButton::Left, x, y);
      } else if (!on_click || pending_click_) {
        // No click to report, or this release ends a double click.
        pending_click_ = false;
      } else {
        pending_click_ = true;
        TrayAction action;
        action.kind = TrayAction::Kind::StartClickTimer;
        action.icon = this;
        action.delay_ms = double_click_time_ms + 50;
        return action;
      }
      break;
    case kWmLButtonDblClk:
      pending_click_ = true;
      if (on_dbl_click) on_dbl_click();
      break;
    case kWmRButtonDown:
      return OpenMenuOr(rb_popup_menu_, TrayButton::Right, x, y);
    case kWmRButtonUp:
      if (on_mouse_up) on_mouse_up(TrayButton::Right, x, y);
      break;
    case kWmMButtonDown:
      if (on_mouse_down) on_mouse_down(TrayButton::Middle, x, y);
      break;
    case kWmMButtonUp:
      if (on_mouse_up) on_mouse_up(TrayButton::Middle, x, y);
      break;
    default:
      break;
  }
  return {};
}

TrayAction HandleTrayCallback(unsigned id, unsigned message, int x, int y,
                              unsigned double_click_time_ms) {
  for (const RegistryEntry& entry : TrayIconRegistry()) {
    if (entry.id != id) continue;
    last_sender = entry.icon;
    return entry.icon->MouseMessage(message, x, y, double_click_time_ms);
  }
  return {};
}

TrayIcon* LastTraySender() {
  return last_sender;
}

void ForEachTrayIcon(const std::function<void(TrayIcon&)>& visit) {
  // A copy: a visit may add or remove icons.
  const std::vector<RegistryEntry> entries = TrayIconRegistry();
  for (const RegistryEntry& entry : entries) visit(*entry.icon);
}
