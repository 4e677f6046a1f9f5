#include "editing/win32/item_dialog_layout.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "core/texts.h"
#include "editing/item_dialog_texts.h"
#include "platform/win32/controls/up_down.h"
#include "platform/win32/dpi.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/win32_shell_links.h"
#include "resources/resource_ids.h"

namespace {

// The window's client size and every control's place, in pixels at 96 dpi; they are scaled
// for the dialog's DPI as they are placed.
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 430;

struct ControlPlace {
  int id;
  int left, top, width, height;
};

constexpr ControlPlace kPlaces[] = {
    {IDC_LABEL_TITLE, 12, 12, 74, 13},
    {IDC_TITLE_NAME, 88, 8, 313, 21},
    {IDC_LABEL_FILE, 12, 40, 74, 13},
    {IDC_FILE_NAME, 88, 36, 253, 21},
    {IDC_OPEN_BUTTON, 344, 36, 57, 21},
    {IDC_LABEL_FOLDER, 12, 68, 118, 13},
    {IDC_FOLDER_NAME, 132, 64, 269, 21},
    {IDC_LABEL_ARGUMENTS, 12, 96, 118, 13},
    {IDC_ARGUMENTS_NAME, 132, 92, 269, 21},
    {IDC_LABEL_STYLE, 12, 124, 118, 13},
    {IDC_STYLE_COMBO, 132, 120, 269, 120},  // the height includes the dropped-down list
    {IDC_LABEL_TIME, 12, 152, 118, 13},
    // Each time field with its arrows is wide enough for two digits and the caret.
    {IDC_SHH, 132, 148, 40, 21},
    {IDC_LABEL_COLON1, 173, 150, 13, 17},
    {IDC_SMM, 186, 148, 40, 21},
    {IDC_LABEL_TILDE, 228, 150, 18, 17},
    {IDC_EHH, 247, 148, 40, 21},
    {IDC_LABEL_COLON2, 288, 150, 13, 17},
    {IDC_EMM, 301, 148, 40, 21},
    {IDC_ONCE_CHECK_BOX, 344, 152, 69, 17},
    {IDC_LABEL_HOME, 12, 181, 118, 13},
    {IDC_HOME_NAME, 132, 177, 269, 21},
    {IDOK, 180, 204, 75, 25},
    {IDCANCEL, 260, 204, 75, 25},
    {IDC_EXPLORER_BUTTON, 340, 204, 75, 25},
    {IDC_ICON_IMAGE, 16, 197, kItemDialogIconSize, kItemDialogIconSize},
    // The log-on timing, below everything else.
    {IDC_TIMING_GROUP, 6, 236, 408, 70},
    {IDC_LABEL_DELAY, 12, 258, 118, 13},
    {IDC_DELAY, 132, 254, 60, 21},
    {IDC_IDLE_CHECK_BOX, 204, 256, 200, 17},
    {IDC_LABEL_DAYS, 12, 286, 118, 13},
    {IDC_DAY_FIRST + 0, 132, 284, 36, 17},
    {IDC_DAY_FIRST + 1, 170, 284, 36, 17},
    {IDC_DAY_FIRST + 2, 208, 284, 36, 17},
    {IDC_DAY_FIRST + 3, 246, 284, 36, 17},
    {IDC_DAY_FIRST + 4, 284, 284, 36, 17},
    {IDC_DAY_FIRST + 5, 322, 284, 36, 17},
    {IDC_DAY_FIRST + 6, 360, 284, 36, 17},
    // The start condition, below the timing.
    {IDC_NEED_GROUP, 6, 312, 408, 112},
    {IDC_LABEL_NEED, 12, 334, 118, 13},
    {IDC_NEED_COMBO, 132, 330, 269, 120},  // the height includes the dropped-down list
    {IDC_LABEL_NEED_TARGET, 12, 360, 118, 13},
    {IDC_NEED_TARGET, 132, 356, 209, 21},
    {IDC_NEED_BROWSE, 344, 356, 57, 21},
    {IDC_LABEL_NEED_LIMIT, 12, 386, 118, 13},
    {IDC_NEED_LIMIT, 132, 382, 60, 21},
    {IDC_NEED_START_AT_LIMIT, 204, 384, 96, 17},
    {IDC_NEED_SKIP_AT_LIMIT, 302, 384, 106, 17},
    {IDC_NEED_HINT, 12, 406, 396, 13},
};

RECT ScaledPlace(const ControlPlace& p, DpiScale px) {
  return RECT{px(p.left), px(p.top), px(p.left + p.width), px(p.top + p.height)};
}

RECT PlaceOf(int id, DpiScale px) {
  for (const ControlPlace& p : kPlaces) {
    if (p.id == id) return ScaledPlace(p, px);
  }
  return RECT{};
}

// A font's height grows by whole pixels and not always in step with the DPI: a label that its
// text would overflow grows about its middle. No label is that tight at 96 dpi.
void FitLabelHeight(HWND label, RECT& place) {
  char text[256] = {};
  if (GetWindowTextA(label, text, sizeof text) == 0) return;
  const TEXTMETRICA metrics = MeasureControlText(label, text).metrics;
  const int grow = metrics.tmHeight - (place.bottom - place.top);
  if (grow <= 0) return;
  place.top -= grow / 2;
  place.bottom = place.top + metrics.tmHeight;
}

RECT RectInDialog(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

void PlaceItemDialogControls(HWND dialog) {
  const int dpi = WindowDpi(dialog);
  const DpiScale px{dpi};
  SetClientSize(dialog, px(kClientWidth), px(kClientHeight), dpi);
  for (const ControlPlace& p : kPlaces) {
    HWND control = GetDlgItem(dialog, p.id);
    RECT place = ScaledPlace(p, px);
    char class_name[16] = {};
    GetClassNameA(control, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "Static") == 0) FitLabelHeight(control, place);
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void AttachUpDown(HWND dialog, int edit_id, int updown_id) {
  HWND edit = GetDlgItem(dialog, edit_id);
  HWND updown = GetDlgItem(dialog, updown_id);
  // Attaching the buddy again lines the arrows up with the edit's final pixel place; the
  // control may overlap the edit's border, so widen both until the pair fills its place.
  UpDown(updown).SetBuddy(edit);
  const int dpi = WindowDpi(dialog);
  FitUpDownToDpi(updown, edit, dpi);
  const RECT place = PlaceOf(edit_id, DpiScale{dpi});
  const RECT arrows = RectInDialog(dialog, updown);
  const int shift = place.right - arrows.right;
  if (shift == 0) return;
  const RECT field = RectInDialog(dialog, edit);
  SetWindowPos(edit, nullptr, 0, 0, field.right - field.left + shift, field.bottom - field.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(updown, nullptr, arrows.left + shift, arrows.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<std::string> AskFileToOpenFrom(HWND owner, const std::string& initial_file) {
  // Room for long paths; the common dialog writes the chosen name here.
  std::vector<char> name(32768, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = texts::kOpenFileFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  initial_file.copy(name.data(), name.size() - 1);
  if (GetOpenFileNameA(&dialog)) return std::string(name.data());
  // A starting name the dialog refuses (a web address, say) must not keep the user from
  // browsing: open it once more without one.
  if (CommDlgExtendedError() == FNERR_INVALIDFILENAME && !initial_file.empty()) {
    std::fill(name.begin(), name.end(), '\0');
    if (GetOpenFileNameA(&dialog)) return std::string(name.data());
  }
  return std::nullopt;
}

std::optional<std::string> AskFolderFrom(HWND owner, const std::string& initial) {
  const ComApartment com;  // the picker is a shell object
  char name[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = owner;
  browse.pszDisplayName = name;
  browse.lpszTitle = texts::kNeedFolderTitle;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  // The picker opens at the folder already typed, when there is one.
  browse.lpfn = [](HWND picker, UINT message, LPARAM, LPARAM data) -> int {
    if (message == BFFM_INITIALIZED && data) SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
  };
  browse.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(initial.c_str());
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  if (!found) return std::nullopt;
  return std::string(path);
}
