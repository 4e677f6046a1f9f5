#include "editing/win32/item_dialog_view.h"

// windows.h first: the common controls and shell headers rely on its types.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "core/launch_limits.h"
#include "core/message_dialogs.h"
#include "core/store_persistence.h"
#include "core/texts.h"
#include "editing/item_dialog.h"
#include "editing/item_dialog_texts.h"
#include "platform/win32/centre_on_screen.h"
#include "platform/win32/win32_message_boxes.h"
#include "resources/resource_ids.h"

namespace {

// The window's client size and every control's place, in pixels.
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 234;
constexpr int kFontPixels = 12;
constexpr int kSeparatorFontPixels = 16;
constexpr int kIconSize = 32;
constexpr char kFontName[] = "ＭＳ Ｐゴシック";

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
    {IDC_LABEL_HIKI, 12, 96, 118, 13},
    {IDC_HIKI_NAME, 132, 92, 269, 21},
    {IDC_LABEL_STYLE, 12, 124, 118, 13},
    {IDC_STYLE_COMBO, 132, 120, 269, 120},  // the height includes the dropped-down list
    {IDC_LABEL_TIME, 12, 152, 118, 13},
    {IDC_SHH, 132, 148, 37, 21},
    {IDC_LABEL_COLON1, 170, 150, 14, 17},
    {IDC_SMM, 184, 148, 37, 21},
    {IDC_LABEL_TILDE, 225, 150, 20, 17},
    {IDC_EHH, 248, 148, 37, 21},
    {IDC_LABEL_COLON2, 286, 150, 14, 17},
    {IDC_EMM, 300, 148, 37, 21},
    {IDC_ONCE_CHECK_BOX, 344, 152, 69, 17},
    {IDC_LABEL_HOME, 12, 181, 118, 13},
    {IDC_HOME_NAME, 132, 177, 269, 21},
    {IDOK, 180, 204, 75, 25},
    {IDCANCEL, 260, 204, 75, 25},
    {IDC_BUTTON1, 340, 204, 75, 25},
    {IDC_IMAGE1, 16, 197, kIconSize, kIconSize},
};

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
    case TextField::HikiName:
      return IDC_HIKI_NAME;
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

HFONT CreatePixelFont(int pixels) {
  return CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     VARIABLE_PITCH | FF_SWISS, kFontName);
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
class ItemDialogWindow : public ItemDialogView {
 public:
  ItemDialogWindow(HINSTANCE instance, HWND main_window, Clock& clock,
                   const ItemDialogFields& initial)
      : instance_(instance),
        main_window_(main_window),
        presenter_(*this, clock),
        initial_(initial),
        decimal_separator_(DecimalSeparator()) {}
  ~ItemDialogWindow() override { ReleaseGdiObjects(); }

  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

  const std::optional<ItemDialogResult>& result() const { return result_; }

  // ItemDialogView.
  std::string Text(TextField field) override { return WindowText(Item(TextFieldId(field))); }
  void SetText(TextField field, const std::string& text) override {
    SetDlgItemTextA(dialog_, TextFieldId(field), text.c_str());
  }
  std::string TimeText(TimeField field) override { return WindowText(Item(TimeEditId(field))); }
  void SetTimeText(TimeField field, const std::string& text) override {
    SetDlgItemTextA(dialog_, TimeEditId(field), text.c_str());
  }
  int StyleIndex() override {
    return static_cast<int>(SendDlgItemMessageA(dialog_, IDC_STYLE_COMBO, CB_GETCURSEL, 0, 0));
  }
  void SetStyleIndex(int index) override {
    // An index without an entry selects nothing; not every system clears the choice by itself.
    const auto count =
        static_cast<int>(SendDlgItemMessageA(dialog_, IDC_STYLE_COMBO, CB_GETCOUNT, 0, 0));
    const WPARAM choice =
        index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1);
    SendDlgItemMessageA(dialog_, IDC_STYLE_COMBO, CB_SETCURSEL, choice, 0);
  }
  bool OnceTicked() override {
    return IsDlgButtonChecked(dialog_, IDC_ONCE_CHECK_BOX) == BST_CHECKED;
  }
  void SetOnceTicked(bool ticked) override {
    CheckDlgButton(dialog_, IDC_ONCE_CHECK_BOX, ticked ? BST_CHECKED : BST_UNCHECKED);
  }
  void Focus(TextField field) override {
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(TextFieldId(field))), TRUE);
  }
  void ClearIcon() override {
    if (icon_) DestroyIcon(icon_);
    icon_ = nullptr;
    InvalidateRect(Item(IDC_IMAGE1), nullptr, TRUE);
  }
  void ShowIconOf(const std::string& file) override;
  void ShowError(const std::string& text) override {
    Win32MessageBoxes boxes;
    MessageDialogs(boxes).Show(MessageKind::Error, BoxButtons::Ok, text);
  }
  std::optional<std::string> AskFileToOpen(const std::string& initial_file) override;
  void StartExplorer() override { WinExec(texts::kExplorerCommand, SW_SHOWNORMAL); }
  void MinimizeMainWindow() override;
  void RestoreMainWindow() override {
    if (main_window_ && IsIconic(main_window_)) ShowWindow(main_window_, SW_RESTORE);
  }
  void PinToTopLeft() override {
    pinned_ = true;
    SetWindowPos(dialog_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Beep() override { MessageBeep(0); }

 private:
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }

  // Events, named after control and event.
  void FormCreate();
  void OKBtnClick();
  void CancelBtnClick() { CloseWith(IDCANCEL); }
  void OpenButtonClick() { presenter_.OpenButtonClick(); }
  void Button1Click() { presenter_.Button1Click(); }
  void FileNameExit() { presenter_.FileNameExit(); }
  void STimeCClick() { presenter_.STimeCClick(); }
  void ETimeCClick() { presenter_.ETimeCClick(); }
  void FormDropFiles(HDROP drop);
  void Image1ContextPopup(LPARAM screen_point);
  void Image1Paint(const DRAWITEMSTRUCT& item);
  void FormCloseQuery() { presenter_.FormCloseQuery(); }
  void FormClose() { presenter_.FormClose(); }

  void PlaceControls();
  RECT PlaceOf(int id) const;
  RECT RectInDialog(HWND control) const;
  void CentreOnScreen();
  void AddHints();
  void CloseWith(int button);
  void ReleaseGdiObjects();

  static LRESULT CALLBACK TimeEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR self);

  HINSTANCE instance_;
  HWND main_window_;
  ItemDialogPresenter presenter_;
  ItemDialogFields initial_;
  char decimal_separator_;
  HWND dialog_ = nullptr;
  HFONT font_ = nullptr;
  HFONT separator_font_ = nullptr;
  HICON icon_ = nullptr;
  bool pinned_ = false;
  std::optional<ItemDialogResult> result_;
};

INT_PTR CALLBACK ItemDialogWindow::Proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lparam);
    reinterpret_cast<ItemDialogWindow*>(lparam)->dialog_ = dialog;
  }
  auto* self = reinterpret_cast<ItemDialogWindow*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
  if (!self) return FALSE;
  // Exceptions never leave the window procedure: they end the event with the general error box.
  try {
    return self->Handle(message, wparam, lparam);
  } catch (const std::exception& error) {
    Win32MessageBoxes boxes;
    MessageDialogs(boxes).ShowAppError(error.what());
  }
  return FALSE;
}

INT_PTR ItemDialogWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      presenter_.Load(initial_);
      presenter_.FormShow();
      return FALSE;  // the focus is set
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const int code = HIWORD(wparam);
      if (code == EN_KILLFOCUS) {
        if (id == IDC_FILE_NAME) FileNameExit();
        if (const TimeControl* c = TimeControlOfEdit(id)) presenter_.TimeFieldExit(c->field);
        return TRUE;
      }
      switch (id) {
        case IDOK:
          OKBtnClick();
          return TRUE;
        case IDCANCEL:  // the Cancel button, Escape and the close box
          CancelBtnClick();
          return TRUE;
        case IDC_OPEN_BUTTON:
          if (code == BN_CLICKED) OpenButtonClick();
          return TRUE;
        case IDC_BUTTON1:
          if (code == BN_CLICKED) Button1Click();
          return TRUE;
        case IDM_STIME_C:
          STimeCClick();
          return TRUE;
        case IDM_ETIME_C:
          ETimeCClick();
          return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      const TimeControl* c = TimeControlOfUpDown(static_cast<int>(header->idFrom));
      if (c && header->code == UDN_DELTAPOS) {
        const auto* change = reinterpret_cast<const NMUPDOWN*>(lparam);
        presenter_.TimeFieldStep(c->field, change->iDelta > 0 ? 1 : -1);
        // The field already holds the new value; the control must not set its own.
        SetWindowLongPtrA(dialog_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DROPFILES:
      FormDropFiles(reinterpret_cast<HDROP>(wparam));
      return TRUE;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) == Item(IDC_IMAGE1)) {
        Image1ContextPopup(lparam);
        return TRUE;
      }
      return FALSE;
    case WM_DRAWITEM:
      if (wparam == IDC_IMAGE1) {
        Image1Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        return TRUE;
      }
      return FALSE;
    case WM_WINDOWPOSCHANGING:
      // After the Explorer button the dialog stays in the top-left corner.
      if (pinned_) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
        if (!(pos->flags & SWP_NOMOVE)) pos->x = pos->y = 0;
      }
      return FALSE;
    case WM_DESTROY:
      DragAcceptFiles(dialog_, FALSE);
      return FALSE;
  }
  return FALSE;
}

void ItemDialogWindow::FormCreate() {
  font_ = CreatePixelFont(kFontPixels);
  separator_font_ = CreatePixelFont(kSeparatorFontPixels);
  for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  for (int id : {IDC_LABEL_COLON1, IDC_LABEL_TILDE, IDC_LABEL_COLON2}) {
    SendDlgItemMessageA(dialog_, id, WM_SETFONT, reinterpret_cast<WPARAM>(separator_font_), FALSE);
  }

  for (const char* style : {texts::kStyleNormal, texts::kStyleMinimized, texts::kStyleMaximized}) {
    SendDlgItemMessageA(dialog_, IDC_STYLE_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(style));
  }
  SendDlgItemMessageA(dialog_, IDC_STYLE_COMBO, CB_SETCURSEL, 0, 0);

  // Each field no longer than the item file can hold and the shell can take.
  const std::pair<int, std::size_t> limits[] = {
      {IDC_TITLE_NAME, kMaxStoredValueBytes},
      {IDC_FILE_NAME, kMaxLaunchPathBytes},
      {IDC_FOLDER_NAME, kMaxLaunchPathBytes},
      {IDC_HIKI_NAME, kMaxCommandLineBytes - kMaxLaunchPathBytes - 4},
      {IDC_HOME_NAME, kMaxStoredValueBytes}};
  for (const auto& [id, most] : limits) SendDlgItemMessageA(dialog_, id, EM_LIMITTEXT, most, 0);

  PlaceControls();
  UDACCEL step{0, 1};  // one per press, however long the arrow is held
  for (const TimeControl& c : kTimeControls) {
    HWND edit = Item(c.edit_id);
    SendMessageA(edit, EM_LIMITTEXT, 2, 0);
    SetWindowSubclass(edit, &TimeEditProc, static_cast<UINT_PTR>(c.edit_id),
                      reinterpret_cast<DWORD_PTR>(this));
    HWND updown = Item(c.updown_id);
    SendMessageA(updown, UDM_SETRANGE32, 0, TimeFieldMaximum(c.field));
    SendMessageA(updown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    // Attaching the buddy again lines the arrows up with the edit's final pixel place; the
    // control may overlap the edit's border, so widen both until the pair fills its place.
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    const RECT place = PlaceOf(c.edit_id);
    const RECT arrows = RectInDialog(updown);
    const int shift = place.right - arrows.right;
    if (shift != 0) {
      const RECT field = RectInDialog(edit);
      SetWindowPos(edit, nullptr, 0, 0, field.right - field.left + shift, field.bottom - field.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      SetWindowPos(updown, nullptr, arrows.left + shift, arrows.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  AddHints();
  DragAcceptFiles(dialog_, TRUE);
  CentreOnScreen();
}

void ItemDialogWindow::PlaceControls() {
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_EXSTYLE)));
  SetWindowPos(dialog_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const ControlPlace& p : kPlaces) {
    SetWindowPos(Item(p.id), nullptr, p.left, p.top, p.width, p.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT ItemDialogWindow::PlaceOf(int id) const {
  for (const ControlPlace& p : kPlaces) {
    if (p.id == id) return RECT{p.left, p.top, p.left + p.width, p.top + p.height};
  }
  return RECT{};
}

RECT ItemDialogWindow::RectInDialog(HWND control) const {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ItemDialogWindow::CentreOnScreen() {
  CentreWindowOnScreen(dialog_);
}

void ItemDialogWindow::AddHints() {
  // Only the Explorer button and the icon picture have hint pop-ups. No prefix processing:
  // the "&" of "Drag&Drop" shows as it is.
  HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, dialog_, nullptr, instance_, nullptr);
  if (!tips) return;
  const std::pair<int, const char*> hints[] = {{IDC_BUTTON1, texts::kButton1Hint},
                                               {IDC_IMAGE1, texts::kImage1Hint}};
  for (const auto& [id, text] : hints) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog_;
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
  EndDialog(dialog_, button);
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
  HICON icon = ExtractIconA(instance_, file.c_str(), 0);
  // 0: no icon; 1: not a file that holds icons.
  if (reinterpret_cast<UINT_PTR>(icon) <= 1) return;
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
  InvalidateRect(Item(IDC_IMAGE1), nullptr, TRUE);
}

void ItemDialogWindow::Image1Paint(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (icon_) {
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon_, kIconSize, kIconSize, 0, nullptr,
               DI_NORMAL);
  }
}

void ItemDialogWindow::Image1ContextPopup(LPARAM screen_point) {
  POINT at{GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: below the picture
    RECT r{};
    GetWindowRect(Item(IDC_IMAGE1), &r);
    at = POINT{r.left, r.bottom};
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, IDM_STIME_C, texts::kSTimeC);
  AppendMenuA(menu, MF_STRING, IDM_ETIME_C, texts::kETimeC);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_,
                 nullptr);
  DestroyMenu(menu);
}

std::optional<std::string> ItemDialogWindow::AskFileToOpen(const std::string& initial_file) {
  // Room for long paths; the common dialog writes the chosen name here.
  std::vector<char> name(32768, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = dialog_;
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

void ItemDialogWindow::MinimizeMainWindow() {
  if (!main_window_) return;
  ShowWindow(main_window_, SW_MINIMIZE);
  // Minimising the owner hides its owned windows; this one must stay beside Explorer.
  ShowWindow(dialog_, SW_SHOWNA);
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

void ItemDialogWindow::ReleaseGdiObjects() {
  if (icon_) DestroyIcon(icon_);
  if (font_) DeleteObject(font_);
  if (separator_font_) DeleteObject(separator_font_);
  icon_ = nullptr;
  font_ = separator_font_ = nullptr;
}

}  // namespace

std::optional<ItemDialogResult> Win32ItemDialogRunner::Run(const ItemDialogFields& initial) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ItemDialogWindow window(instance_, main_window_, clock_, initial);
  const INT_PTR answer =
      DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_ITEM_DLG), main_window_,
                      &ItemDialogWindow::Proc, reinterpret_cast<LPARAM>(&window));
  if (answer != IDOK) return std::nullopt;
  return window.result();
}
