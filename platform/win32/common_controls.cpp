#include "platform/win32/common_controls.h"

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

void InitControlClasses() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                   ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
  done = InitCommonControlsEx(&controls) != FALSE;
}
