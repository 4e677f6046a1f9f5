#include "shell/win32/help_key.h"

#include "resources/resource_ids.h"

namespace {

// The hook has no data of its own; the one HelpKey of the program is found here.
HelpKey* g_help_key = nullptr;

}  // namespace

HelpKey::HelpKey(HWND target, int command_id) : target_(target), command_id_(command_id) {
  g_help_key = this;
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, &Hook, nullptr, GetCurrentThreadId());
}

HelpKey::~HelpKey() {
  if (hook_) UnhookWindowsHookEx(hook_);
  g_help_key = nullptr;
}

LRESULT CALLBACK HelpKey::Hook(int code, WPARAM wparam, LPARAM lparam) {
  auto& message = *reinterpret_cast<MSG*>(lparam);
  HelpKey* self = g_help_key;
  if (code == HC_ACTION && wparam == PM_REMOVE && self && message.message == WM_KEYDOWN &&
      message.wParam == VK_F1 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0) {
    // The key goes to the focus, inside the window in front of the program's own windows.
    HWND front = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : GetActiveWindow();
    self->topic_ = self->TopicOf(front);
    message.message = WM_NULL;  // the key is used up here
    PostMessageA(self->target_, WM_COMMAND, static_cast<WPARAM>(self->command_id_), 0);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

HelpTopicId HelpKey::TopicOf(HWND window) const {
  for (int depth = 0; window && depth < 8; ++depth) {
    if (window == target_ && !IsWindowVisible(window)) return HelpTopicId::Contents;
    // The options page has a topic of its own; the main window's covers its other pages.
    if (window == target_)
      return IsWindowVisible(GetDlgItem(window, IDC_LAN_CHECK_BOX)) ? HelpTopicId::Options
                                                                    : HelpTopicId::MainWindow;
    if (GetDlgItem(window, IDC_TITLE_NAME)) return HelpTopicId::ItemDialog;
    if (GetDlgItem(window, IDC_LIST_VIEW1)) return HelpTopicId::Listing;
    if (GetDlgItem(window, IDC_ABOUT_VERSION)) return HelpTopicId::AboutBox;
    if (GetDlgItem(window, IDC_HISTORY_ROWS)) return HelpTopicId::LogOnHistory;
    window = GetWindow(window, GW_OWNER);
  }
  return HelpTopicId::Contents;
}
