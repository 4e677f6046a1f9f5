#include "platform/win32/win32_button_row.h"

#include <algorithm>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/ui_font.h"

namespace {

constexpr int kRowButtonIds[] = {IDRETRY, IDOK, IDCANCEL, IDYES, IDNO};

int CaptionWidth(HWND control) {
  char text[256] = {};
  GetWindowTextA(control, text, sizeof text);
  const ControlTextSize caption = MeasureControlText(control, text);
  // Room for the frame and a character's width of margin on either side.
  return caption.extent.cx + 2 * caption.metrics.tmAveCharWidth +
         2 * SystemMetricForDpi(SM_CXEDGE, WindowDpi(control));
}

}  // namespace

void FitButtonRow(HWND dialog) {
  std::vector<HWND> row;
  int needed = 0;
  for (int id : kRowButtonIds) {
    HWND button = GetDlgItem(dialog, id);
    // The dialog may not be shown yet, so ask for the style rather than IsWindowVisible.
    if (!button || !(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE)) continue;
    row.push_back(button);
    needed = std::max(needed, CaptionWidth(button));
  }
  if (row.empty()) return;
  auto bounds_of = [dialog](HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
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
  GetClientRect(dialog, &client);
  // The usual dialog margin of seven dialog units.
  RECT margins{0, 0, 7, 7};
  MapDialogRect(dialog, &margins);
  const int margin = margins.right;
  if (row_width + 2 * margin > client.right) {
    RECT frame{};
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0,
                 frame.right - frame.left + row_width + 2 * margin - client.right,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(dialog, &client);
  }
  int left = (client.right - row_width) / 2;
  for (HWND button : row) {
    SetWindowPos(button, nullptr, left, first.top, needed, first.bottom - first.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    left += needed + gap;
  }
}
