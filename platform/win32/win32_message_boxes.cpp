#include "platform/win32/win32_message_boxes.h"

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "core/texts.h"

namespace {

constexpr int kButtonIds[] = {IDOK, IDCANCEL, IDYES, IDNO};
constexpr UINT_PTR kSubclassId = 1;

UINT ButtonFlags(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::Ok:
      return MB_OK;
    case BoxButtons::OkCancel:
      return MB_OKCANCEL;
    case BoxButtons::YesNo:
      return MB_YESNO;
    case BoxButtons::YesNoCancel:
      return MB_YESNOCANCEL;
  }
  return MB_OK;
}

UINT IconFlags(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::None:
      return 0;
    case BoxIcon::Warning:
      return MB_ICONWARNING;
    case BoxIcon::Error:
      return MB_ICONERROR;
    case BoxIcon::Information:
      return MB_ICONINFORMATION;
    case BoxIcon::Question:
      return MB_ICONQUESTION;
  }
  return 0;
}

// The button that Escape (and the close box) answers with.
int EscapeButton(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::Ok:
      return IDOK;
    case BoxButtons::YesNo:
      return IDNO;
    case BoxButtons::OkCancel:
    case BoxButtons::YesNoCancel:
      return IDCANCEL;
  }
  return IDCANCEL;
}

BoxAnswer AnswerOf(int button) {
  switch (button) {
    case IDOK:
      return BoxAnswer::Ok;
    case IDYES:
      return BoxAnswer::Yes;
    case IDNO:
      return BoxAnswer::No;
    default:
      return BoxAnswer::Cancel;
  }
}

const char* ButtonText(int id) {
  switch (id) {
    case IDOK:
      return texts::kButtonOk;
    case IDCANCEL:
      return texts::kButtonCancel;
    case IDYES:
      return texts::kButtonYes;
    default:
      return texts::kButtonNo;
  }
}

int TextWidth(HWND control, const char* text) {
  HDC dc = GetDC(control);
  HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT bounds{};
  DrawTextA(dc, text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old_font);
  ReleaseDC(control, dc);
  // Room for the frame and a character's width of margin on either side.
  return bounds.right - bounds.left + 2 * metrics.tmAveCharWidth + 2 * GetSystemMetrics(SM_CXEDGE);
}

// The system sized the buttons for its own texts; widen the row when ours need more room.
void FitButtons(HWND box) {
  std::vector<HWND> row;
  int needed = 0;
  for (int id : kButtonIds) {
    HWND button = GetDlgItem(box, id);
    // The box is not shown yet, so ask for the style rather than IsWindowVisible.
    if (!button || !(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE)) continue;
    row.push_back(button);
    needed = std::max(needed, TextWidth(button, ButtonText(id)));
  }
  if (row.empty()) return;
  auto bounds_of = [box](HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  std::sort(row.begin(), row.end(),
            [&](HWND a, HWND b) { return bounds_of(a).left < bounds_of(b).left; });
  const RECT first = bounds_of(row.front());
  const int width = first.right - first.left;
  if (needed <= width) return;
  const int gap = row.size() > 1 ? bounds_of(row[1]).left - first.right : 0;
  const int count = static_cast<int>(row.size());
  const int row_width = count * needed + (count - 1) * gap;
  RECT client{};
  GetClientRect(box, &client);
  const int margin = std::max<int>(first.left, gap);
  if (row_width + 2 * margin > client.right) {
    RECT frame{};
    GetWindowRect(box, &frame);
    SetWindowPos(box, nullptr, 0, 0,
                 frame.right - frame.left + row_width + 2 * margin - client.right,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(box, &client);
  }
  int left = (client.right - row_width) / 2;
  for (HWND button : row) {
    SetWindowPos(button, nullptr, left, first.top, needed, first.bottom - first.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    left += needed + gap;
  }
}

void CentreOnWorkArea(HWND box) {
  RECT area{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  RECT frame{};
  GetWindowRect(box, &frame);
  const int x = area.left + (area.right - area.left - (frame.right - frame.left)) / 2;
  const int y = area.top + (area.bottom - area.top - (frame.bottom - frame.top)) / 2;
  SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                         DWORD_PTR escape_button) {
  switch (message) {
    case WM_INITDIALOG: {
      const LRESULT result = DefSubclassProc(box, message, wparam, lparam);
      for (int id : kButtonIds) SetDlgItemTextA(box, id, ButtonText(id));
      FitButtons(box);
      CentreOnWorkArea(box);
      return result;
    }
    case WM_COMMAND:
      // The dialog manager turns Escape and the close box into IDCANCEL; a box without a
      // Cancel button answers with its escape button instead of ignoring the key.
      if (LOWORD(wparam) == IDCANCEL && escape_button != IDCANCEL) {
        const int id = static_cast<int>(escape_button);
        return DefSubclassProc(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, BoxProc, kSubclassId);
      break;
  }
  return DefSubclassProc(box, message, wparam, lparam);
}

// The box being opened on this thread; the hook catches its creation.
struct PendingBox {
  int escape_button = IDCANCEL;
  bool caught = false;
};
thread_local PendingBox* pending_box = nullptr;

LRESULT CALLBACK CatchBoxHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && pending_box && !pending_box->caught) {
    HWND window = reinterpret_cast<HWND>(wparam);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (lstrcmpA(class_name, "#32770") == 0) {
      pending_box->caught = true;
      SetWindowSubclass(window, BoxProc, kSubclassId,
                        static_cast<DWORD_PTR>(pending_box->escape_button));
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

BoxAnswer Win32MessageBoxes::Show(const std::string& caption, BoxIcon icon, BoxButtons buttons,
                                  const std::string& text) {
  PendingBox box{EscapeButton(buttons)};
  PendingBox* const outer = pending_box;
  pending_box = &box;
  HHOOK hook = SetWindowsHookExA(WH_CBT, CatchBoxHook, nullptr, GetCurrentThreadId());

  HWND owner = GetActiveWindow();
  // The first button, OK or Yes, is the default.
  UINT flags = ButtonFlags(buttons) | IconFlags(icon) | MB_DEFBUTTON1 | MB_SETFOREGROUND;
  if (!owner) flags |= MB_TASKMODAL;
  const int result = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);

  if (hook) UnhookWindowsHookEx(hook);
  pending_box = outer;
  // A box that could not be shown, or a Cancel from a box without one, counts as Escape.
  if (result == IDOK || result == IDYES || result == IDNO) return AnswerOf(result);
  return AnswerOf(box.escape_button);
}
