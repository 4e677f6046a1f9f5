#include "editing/win32/item_dialog_view.h"

// windows.h first: the common controls and shell headers rely on its types.
#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <exception>
#include <string>
#include <utility>

#include "core/launch_limits.h"
#include "core/message_dialogs.h"
#include "core/store_persistence.h"
#include "core/texts.h"
#include "core/win32/app_error_box.h"
#include "editing/item_dialog.h"
#include "editing/item_dialog_texts.h"
#include "editing/win32/item_dialog_layout.h"
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/checked_icon.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/win32_message_boxes.h"
#include "resources/resource_ids.h"

namespace {

// The window's client size and every control's place, in pixels.
constexpr int kFontPixels = 12;
constexpr int kSeparatorFontPixels = 16;

struct TimeControl {
  TimeField field;
  int edit_id;
  int updown_id;
};

constexpr TimeControl kTimeControls[kTimeFieldCount] = {
    {TimeField::Shh, IDC_SHH, IDC_SHH_UPDOWN},
    {TimeField::Smm, IDC_SMM, IDC_SMM_UPDOWN},
    {TimeField::Ehh, IDC_EHH, IDC_EHH_UPDOWN},
    {TimeField::Emm, IDC_EMM, IDC_EMM_UPDOWN},
};

int TextFieldId(TextField field) {
  switch (field) {
    case TextField::TitleName:
      return IDC_TITLE_NAME;
    case TextField::FileName:
      return IDC_FILE_NAME;
    case TextField::FolderName:
      return IDC_FOLDER_NAME;
    case TextField::ArgumentsName:
      return IDC_ARGUMENTS_NAME;
    case TextField::HomeName:
      return IDC_HOME_NAME;
  }
  return 0;
}

const TimeControl* TimeControlOfEdit(int id) {
  for (const TimeControl& c : kTimeControls) {
    if (c.edit_id == id) return &c;
  }
  return nullptr;
}

const TimeControl* TimeControlOfUpDown(int id) {
  for (const TimeControl& c : kTimeControls) {
    if (c.updown_id == id) return &c;
  }
  return nullptr;
}

int TimeEditId(TimeField field) {
  return kTimeControls[static_cast<int>(field)].edit_id;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

char DecimalSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 0 &&
      separator[0] != '\0') {
    return separator[0];
  }
  return '.';
}

// One showing of the dialog: the window and its presenter.
class ItemDialogWindow : public ItemDialogView, public ModalDialog {
 public:
  ItemDialogWindow(HINSTANCE instance, HWND main_window, Clock& clock,
                   const ItemDialogFields& initial)
      : ModalDialog(instance, ShowAppErrorBox),
        main_window_(main_window),
        presenter_(*this, clock),
        initial_(initial),
        decimal_separator_(DecimalSeparator()) {}

  const std::optional<ItemDialogResult>& result() const { return result_; }

  // ItemDialogView.
  std::string Text(TextField field) override { return WindowText(Item(TextFieldId(field))); }
  void SetText(TextField field, const std::string& text) override {
    SetDlgItemTextA(Handle(), TextFieldId(field), text.c_str());
  }
  std::string TimeText(TimeField field) override { return WindowText(Item(TimeEditId(field))); }
  void SetTimeText(TimeField field, const std::string& text) override {
    SetDlgItemTextA(Handle(), TimeEditId(field), text.c_str());
  }
  int StyleIndex() override {
    return static_cast<int>(SendDlgItemMessageA(Handle(), IDC_STYLE_COMBO, CB_GETCURSEL, 0, 0));
  }
  void SetStyleIndex(int index) override {
    // An index without an entry selects nothing; not every system clears the choice by itself.
    const auto count =
        static_cast<int>(SendDlgItemMessageA(Handle(), IDC_STYLE_COMBO, CB_GETCOUNT, 0, 0));
    const WPARAM choice =
        index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1);
    SendDlgItemMessageA(Handle(), IDC_STYLE_COMBO, CB_SETCURSEL, choice, 0);
  }
  bool OnceTicked() override {
    return IsDlgButtonChecked(Handle(), IDC_ONCE_CHECK_BOX) == BST_CHECKED;
  }
  void SetOnceTicked(bool ticked) override {
    CheckDlgButton(Handle(), IDC_ONCE_CHECK_BOX, ticked ? BST_CHECKED : BST_UNCHECKED);
  }
  void Focus(TextField field) override {
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(TextFieldId(field))), TRUE);
  }
  void ClearIcon() override {
    icon_.Reset();
    InvalidateRect(Item(IDC_ICON_IMAGE), nullptr, TRUE);
  }
  void ShowIconOf(const std::string& file) override;
  void ShowError(const std::string& text) override {
    Win32MessageBoxes boxes;
    MessageDialogs(boxes).Show(MessageKind::Error, BoxButtons::Ok, text);
  }
  std::optional<std::string> AskFileToOpen(const std::string& initial_file) override {
    return AskFileToOpenFrom(Handle(), initial_file);
  }
  void StartExplorer() override { WinExec(texts::kExplorerCommand, SW_SHOWNORMAL); }
  void MinimizeMainWindow() override;
  void RestoreMainWindow() override {
    if (main_window_ && IsIconic(main_window_)) ShowWindow(main_window_, SW_RESTORE);
  }
  void PinToTopLeft() override {
    pinned_ = true;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Beep() override { MessageBeep(0); }

 private:
  // ModalDialog.
  bool OnInit() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override { OKBtnClick(); }
  void OnCancel() override { CancelBtnClick(); }  // the Cancel button, Escape and the close box
  std::optional<LRESULT> OnNotify(const NMHDR& header) override;
  void OnDestroy() override { DragAcceptFiles(Handle(), FALSE); }
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  // Events, named after control and event.
  void FormCreate();
  void OKBtnClick();
  void CancelBtnClick() { CloseWith(IDCANCEL); }
  void OpenButtonClick() { presenter_.OpenButtonClick(); }
  void ExplorerButtonClick() { presenter_.ExplorerButtonClick(); }
  void FileNameExit() { presenter_.FileNameExit(); }
  void StartTimeNowClick() { presenter_.StartTimeNowClick(); }
  void EndTimeNowClick() { presenter_.EndTimeNowClick(); }
  void FormDropFiles(HDROP drop);
  void IconImageContextPopup(LPARAM screen_point);
  void IconImagePaint(const DRAWITEMSTRUCT& item);
  void FormCloseQuery() { presenter_.FormCloseQuery(); }
  void FormClose() { presenter_.FormClose(); }

  void AddHints();
  void CloseWith(int button);

  static LRESULT CALLBACK TimeEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR self);

  HWND main_window_;
  ItemDialogPresenter presenter_;
  ItemDialogFields initial_;
  char decimal_separator_;
  OwnedFont font_;
  OwnedFont separator_font_;
  OwnedIcon icon_;
  bool pinned_ = false;
  std::optional<ItemDialogResult> result_;
};

bool ItemDialogWindow::OnInit() {
  FormCreate();
  presenter_.Load(initial_);
  presenter_.FormShow();
  return false;  // the focus is set
}

bool ItemDialogWindow::OnCommand(int id, int code) {
  if (code == EN_KILLFOCUS) {
    if (id == IDC_FILE_NAME) FileNameExit();
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

void ItemDialogWindow::FormCreate() {
  font_ = CreateUiFont(kFontPixels);
  separator_font_ = CreateUiFont(kSeparatorFontPixels);
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    UseFont(child, font_.Get());
  }
  for (int id : {IDC_LABEL_COLON1, IDC_LABEL_TILDE, IDC_LABEL_COLON2}) {
    UseFont(Item(id), separator_font_.Get());
  }

  for (const char* style : {texts::kStyleNormal, texts::kStyleMinimized, texts::kStyleMaximized}) {
    SendDlgItemMessageA(Handle(), IDC_STYLE_COMBO, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(style));
  }
  SendDlgItemMessageA(Handle(), IDC_STYLE_COMBO, CB_SETCURSEL, 0, 0);

  // Each field no longer than the item file can hold and the shell can take.
  const std::pair<int, std::size_t> limits[] = {
      {IDC_TITLE_NAME, kMaxStoredValueBytes},
      {IDC_FILE_NAME, kMaxLaunchAddressBytes},  // paths are bounded when they are run
      {IDC_FOLDER_NAME, kMaxLaunchPathBytes},
      {IDC_ARGUMENTS_NAME, kMaxCommandLineBytes - kMaxLaunchPathBytes - 4},
      {IDC_HOME_NAME, kMaxStoredValueBytes}};
  for (const auto& [id, most] : limits) SendDlgItemMessageA(Handle(), id, EM_LIMITTEXT, most, 0);

  PlaceItemDialogControls(Handle());
  UDACCEL step{0, 1};  // one per press, however long the arrow is held
  for (const TimeControl& c : kTimeControls) {
    HWND edit = Item(c.edit_id);
    SendMessageA(edit, EM_LIMITTEXT, 2, 0);
    SetWindowSubclass(edit, &TimeEditProc, static_cast<UINT_PTR>(c.edit_id),
                      reinterpret_cast<DWORD_PTR>(this));
    HWND updown = Item(c.updown_id);
    SendMessageA(updown, UDM_SETRANGE32, 0, TimeFieldMaximum(c.field));
    SendMessageA(updown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    AttachUpDown(Handle(), c.edit_id, c.updown_id);
  }

  AddHints();
  DragAcceptFiles(Handle(), TRUE);
  CentreWindowOnScreen(Handle());
}

void ItemDialogWindow::AddHints() {
  // Only the Explorer button and the icon picture have hint pop-ups. No prefix processing:
  // the "&" of "Drag&Drop" shows as it is.
  HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, Instance(), nullptr);
  if (!tips) return;
  const std::pair<int, const char*> hints[] = {{IDC_EXPLORER_BUTTON, texts::kExplorerButtonHint},
                                               {IDC_ICON_IMAGE, texts::kIconImageHint}};
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

void ItemDialogWindow::FormDropFiles(HDROP drop) {
  // The first file's whole name, however long: ask for its length first.
  std::string name;
  const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
  if (length > 0) {
    name.resize(static_cast<size_t>(length) + 1);
    name.resize(DragQueryFileA(drop, 0, name.data(), length + 1));
  }
  DragFinish(drop);
  if (!name.empty()) presenter_.FilesDropped(name);
}

void ItemDialogWindow::ShowIconOf(const std::string& file) {
  HICON icon = ExtractCheckedIcon(file);
  if (icon == nullptr) return;
  icon_.Reset(icon);
  InvalidateRect(Item(IDC_ICON_IMAGE), nullptr, TRUE);
}

void ItemDialogWindow::IconImagePaint(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (icon_) {
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon_.Get(), kItemDialogIconSize,
               kItemDialogIconSize, 0, nullptr, DI_NORMAL);
  }
}

void ItemDialogWindow::IconImageContextPopup(LPARAM screen_point) {
  POINT at{GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: below the picture
    RECT r{};
    GetWindowRect(Item(IDC_ICON_IMAGE), &r);
    at = POINT{r.left, r.bottom};
  }
  OwnedMenu menu(CreatePopupMenu());
  AppendMenuA(menu.Get(), MF_STRING, IDM_START_TIME_NOW, texts::kStartTimeNowCaption);
  AppendMenuA(menu.Get(), MF_STRING, IDM_END_TIME_NOW, texts::kEndTimeNowCaption);
  TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                 Handle(), nullptr);
}

void ItemDialogWindow::MinimizeMainWindow() {
  if (!main_window_) return;
  ShowWindow(main_window_, SW_MINIMIZE);
  // Minimising the owner hides its owned windows; this one must stay beside Explorer.
  ShowWindow(Handle(), SW_SHOWNA);
}

LRESULT CALLBACK ItemDialogWindow::TimeEditProc(HWND edit, UINT message, WPARAM wparam,
                                                LPARAM lparam, UINT_PTR id, DWORD_PTR self) {
  auto* window = reinterpret_cast<ItemDialogWindow*>(self);
  if (message == WM_CHAR &&
      !window->presenter_.TimeFieldKey(static_cast<char>(wparam), window->decimal_separator_)) {
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, &TimeEditProc, id);
  return DefSubclassProc(edit, message, wparam, lparam);
}

}  // namespace

std::optional<ItemDialogResult> Win32ItemDialogRunner::Run(const ItemDialogFields& initial) {
  ItemDialogWindow window(instance_, main_window_, clock_, initial);
  if (window.Run(IDD_ITEM_DLG, main_window_) != IDOK) return std::nullopt;
  return window.result();
}
