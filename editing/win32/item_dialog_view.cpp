#include "editing/win32/item_dialog_view.h"

// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/launch_limits.h"
#include "editing/item_dialog_texts.h"
#include "editing/win32/item_dialog_layout.h"
#include "editing/win32/item_dialog_window.h"
#include "items/store_persistence.h"
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/controls/up_down.h"
#include "platform/win32/dpi.h"
#include "platform/win32/key_filter.h"
#include "platform/win32/ui_font.h"

namespace {

constexpr int kFontPixels = 12;
constexpr int kSeparatorFontPixels = 16;

}  // namespace

bool ItemDialogWindow::OnInit() {
  FormCreate();
  presenter_.Load(initial_);
  presenter_.FormShow();
  return false;  // the focus is set
}

bool ItemDialogWindow::OnCommand(int id, int code) {
  if (code == EN_KILLFOCUS) {
    if (id == IDC_FILE_NAME) FileNameExit();
    if (id == IDC_DELAY) presenter_.DelayFieldExit();
    if (const TimeControl* c = TimeControlOfEdit(id)) presenter_.TimeFieldExit(c->field);
    return true;
  }
  switch (id) {
    case IDC_OPEN_BUTTON:
      if (code == BN_CLICKED) OpenButtonClick();
      return true;
    case IDC_EXPLORER_BUTTON:
      if (code == BN_CLICKED) ExplorerButtonClick();
      return true;
    case IDC_NEED_COMBO:
      if (code == CBN_SELCHANGE) presenter_.NeedKindChange();
      return true;
    case IDC_NEED_BROWSE:
      if (code == BN_CLICKED) presenter_.NeedBrowseClick();
      return true;
    case IDM_START_TIME_NOW:
      StartTimeNowClick();
      return true;
    case IDM_END_TIME_NOW:
      EndTimeNowClick();
      return true;
    default:
      return false;
  }
}

std::optional<LRESULT> ItemDialogWindow::OnNotify(const NMHDR& header) {
  const TimeControl* c = TimeControlOfUpDown(static_cast<int>(header.idFrom));
  if (!c || header.code != UDN_DELTAPOS) return std::nullopt;
  presenter_.TimeFieldStep(c->field, reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0 ? 1 : -1);
  // The field already holds the new value; the control must not set its own.
  return TRUE;
}

std::optional<INT_PTR> ItemDialogWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DROPFILES:
      FormDropFiles(reinterpret_cast<HDROP>(wparam));
      return TRUE;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) != Item(IDC_ICON_IMAGE)) return std::nullopt;
      IconImageContextPopup(lparam);
      return TRUE;
    case WM_DRAWITEM:
      if (wparam != IDC_ICON_IMAGE) return std::nullopt;
      IconImagePaint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_WINDOWPOSCHANGING:
      // After the Explorer button the dialog stays in the top-left corner.
      if (pinned_) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
        if (!(pos->flags & SWP_NOMOVE)) pos->x = pos->y = 0;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void ItemDialogWindow::ApplyDpi() {
  const int dpi = WindowDpi(Handle());
  OwnedFont font = CreateUiFont(Scale(kFontPixels, dpi));
  OwnedFont separator_font = CreateUiFont(Scale(kSeparatorFontPixels, dpi));
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    UseFont(child, font.Get());
  }
  for (int id : {IDC_LABEL_COLON1, IDC_LABEL_TILDE, IDC_LABEL_COLON2}) {
    UseFont(Item(id), separator_font.Get());
  }
  font_ = std::move(font);
  separator_font_ = std::move(separator_font);
  PlaceItemDialogControls(Handle());
  for (const TimeControl& c : kTimeControls) AttachUpDown(Handle(), c.edit_id, c.updown_id);
  AttachUpDown(Handle(), IDC_DELAY, IDC_DELAY_UPDOWN);
  AttachUpDown(Handle(), IDC_NEED_LIMIT, IDC_NEED_LIMIT_UPDOWN);
}

void ItemDialogWindow::EnableNeedFields(const ConditionFieldUse& use) {
  const std::pair<int, bool> fields[] = {
      {IDC_LABEL_NEED_TARGET, use.target},  {IDC_NEED_TARGET, use.target},
      {IDC_NEED_BROWSE, use.browse},        {IDC_LABEL_NEED_LIMIT, use.limit},
      {IDC_NEED_LIMIT, use.limit},          {IDC_NEED_LIMIT_UPDOWN, use.limit},
      {IDC_NEED_START_AT_LIMIT, use.limit}, {IDC_NEED_SKIP_AT_LIMIT, use.limit}};
  for (const auto& [id, enabled] : fields) EnableWindow(Item(id), enabled);
}

void ItemDialogWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  ModalDialog::OnDpiChanged(dpi, suggested);
  ApplyDpi();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ItemDialogWindow::FormCreate() {
  ComboBox styles(Item(IDC_STYLE_COMBO));
  for (const char* style : {texts::kStyleNormal, texts::kStyleMinimized, texts::kStyleMaximized})
    styles.AddString(style);
  styles.SetCurSel(0);

  // Each field no longer than the item file can hold and the shell can take.
  const std::pair<int, std::size_t> limits[] = {
      {IDC_TITLE_NAME, kMaxStoredValueBytes},
      {IDC_FILE_NAME, kMaxLaunchAddressBytes},  // paths are bounded when they are run
      {IDC_FOLDER_NAME, kMaxLaunchPathBytes},
      {IDC_ARGUMENTS_NAME, kMaxCommandLineBytes - kMaxLaunchPathBytes - 4},
      {IDC_HOME_NAME, kMaxStoredValueBytes}};
  for (const auto& [id, most] : limits) Edit(Item(id)).SetLimitText(most);

  UDACCEL step{0, 1};  // one per press, however long the arrow is held
  for (const TimeControl& c : kTimeControls) {
    HWND edit = Item(c.edit_id);
    Edit(edit).SetLimitText(2);
    Edit(edit).SetNarrowMargins();
    time_filters_.push_back(std::make_unique<KeyFilter>(
        edit, [this](char key) { return presenter_.TimeFieldKey(key, decimal_separator_); }));
    UpDown updown(Item(c.updown_id));
    updown.SetRange32(0, TimeFieldMaximum(c.field));
    updown.SetAccel(step);
  }
  Edit(Item(IDC_DELAY)).SetLimitText(4);
  UpDown(Item(IDC_DELAY_UPDOWN)).SetRange32(0, kMaxDelaySeconds);
  ComboBox needs(Item(IDC_NEED_COMBO));
  for (int kind = 0; kind < kConditionKindCount; ++kind)
    needs.AddString(ConditionKindLabel(static_cast<ConditionKind>(kind)));
  Edit(Item(IDC_NEED_TARGET)).SetLimitText(kMaxLaunchPathBytes);
  Edit(Item(IDC_NEED_LIMIT)).SetLimitText(4);
  UpDown(Item(IDC_NEED_LIMIT_UPDOWN))
      .SetRange32(kMinConditionLimitSeconds, kMaxConditionLimitSeconds);
  ApplyDpi();

  AddHints();
  DragAcceptFiles(Handle(), TRUE);
  CentreWindowOnScreen(Handle());
}

void ItemDialogWindow::AddHints() {
  // Only the Explorer button, the icon picture and the log-on timing have hint pop-ups. No prefix
  // processing: the "&" of "Drag&Drop" shows as it is.
  HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, Instance(), nullptr);
  if (!tips) return;
  std::vector<std::pair<int, const char*>> hints = {
      {IDC_EXPLORER_BUTTON, texts::kExplorerButtonHint},
      {IDC_ICON_IMAGE, texts::kIconImageHint},
      {IDC_DELAY, texts::kDelayHint},
      {IDC_IDLE_CHECK_BOX, texts::kIdleHint}};
  for (int d = 0; d < 7; ++d) hints.emplace_back(IDC_DAY_FIRST + d, texts::kDaysHint);
  for (const auto& [id, text] : hints) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void ItemDialogWindow::OKBtnClick() {
  if (presenter_.OKBtnClick()) CloseWith(IDOK);
}

void ItemDialogWindow::CloseWith(int button) {
  FormCloseQuery();
  FormClose();
  if (button == IDOK) result_ = presenter_.Result();
  EndDialog(Handle(), button);
}

void ItemDialogWindow::MinimizeMainWindow() {
  if (!main_window_) return;
  ShowWindow(main_window_, SW_MINIMIZE);
  // Minimising the owner hides its owned windows; this one must stay beside Explorer.
  ShowWindow(Handle(), SW_SHOWNA);
}

std::optional<ItemDialogResult> Win32ItemDialogRunner::Run(const ItemDialogFields& initial) {
  ItemDialogWindow window(instance_, main_window_, clock_, initial);
  if (window.Run(IDD_ITEM_DLG, main_window_) != IDOK) return std::nullopt;
  return window.result();
}
