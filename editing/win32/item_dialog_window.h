#pragma once

// The item properties dialog's window, shared by the files that make it up.

#include <windows.h>
// windows.h first: the shell header relies on its types.
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/message_dialogs.h"
#include "core/texts.h"
#include "core/win32/app_error_box.h"
#include "editing/item_dialog.h"
#include "editing/item_dialog_texts.h"
#include "platform/win32/controls/combo_box.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/key_filter.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_message_boxes.h"
#include "resources/resource_ids.h"

struct TimeControl {
  TimeField field;
  int edit_id;
  int updown_id;
};

inline constexpr TimeControl kTimeControls[kTimeFieldCount] = {
    {TimeField::Shh, IDC_SHH, IDC_SHH_UPDOWN},
    {TimeField::Smm, IDC_SMM, IDC_SMM_UPDOWN},
    {TimeField::Ehh, IDC_EHH, IDC_EHH_UPDOWN},
    {TimeField::Emm, IDC_EMM, IDC_EMM_UPDOWN},
};

inline int TextFieldId(TextField field) {
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
    case TextField::NeedTarget:
      return IDC_NEED_TARGET;
    case TextField::NeedLimit:
      return IDC_NEED_LIMIT;
  }
  return 0;
}

inline const TimeControl* TimeControlOfEdit(int id) {
  for (const TimeControl& c : kTimeControls) {
    if (c.edit_id == id) return &c;
  }
  return nullptr;
}

inline const TimeControl* TimeControlOfUpDown(int id) {
  for (const TimeControl& c : kTimeControls) {
    if (c.updown_id == id) return &c;
  }
  return nullptr;
}

inline int TimeEditId(TimeField field) {
  return kTimeControls[static_cast<int>(field)].edit_id;
}

inline char DecimalSeparator() {
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
  std::string Text(TextField field) override { return Edit(Item(TextFieldId(field))).GetText(); }
  void SetText(TextField field, const std::string& text) override {
    SetDlgItemTextA(Handle(), TextFieldId(field), text.c_str());
  }
  std::string TimeText(TimeField field) override { return Edit(Item(TimeEditId(field))).GetText(); }
  void SetTimeText(TimeField field, const std::string& text) override {
    SetDlgItemTextA(Handle(), TimeEditId(field), text.c_str());
  }
  int StyleIndex() override { return ComboBox(Item(IDC_STYLE_COMBO)).GetCurSel(); }
  void SetStyleIndex(int index) override {
    // An index without an entry selects nothing; not every system clears the choice by itself.
    ComboBox styles(Item(IDC_STYLE_COMBO));
    styles.SetCurSel(index >= 0 && index < styles.GetCount() ? index : -1);
  }
  bool OnceTicked() override {
    return IsDlgButtonChecked(Handle(), IDC_ONCE_CHECK_BOX) == BST_CHECKED;
  }
  void SetOnceTicked(bool ticked) override {
    CheckDlgButton(Handle(), IDC_ONCE_CHECK_BOX, ticked ? BST_CHECKED : BST_UNCHECKED);
  }
  std::string DelayText() override { return Edit(Item(IDC_DELAY)).GetText(); }
  void SetDelayText(const std::string& text) override {
    SetDlgItemTextA(Handle(), IDC_DELAY, text.c_str());
  }
  int DaysTicked() override {
    int days = 0;
    for (int d = 0; d < 7; ++d)
      if (IsDlgButtonChecked(Handle(), IDC_DAY_FIRST + d) == BST_CHECKED) days |= 1 << d;
    return days;
  }
  void SetDaysTicked(int days) override {
    for (int d = 0; d < 7; ++d)
      CheckDlgButton(Handle(), IDC_DAY_FIRST + d, (days >> d) & 1 ? BST_CHECKED : BST_UNCHECKED);
  }
  bool IdleTicked() override {
    return IsDlgButtonChecked(Handle(), IDC_IDLE_CHECK_BOX) == BST_CHECKED;
  }
  void SetIdleTicked(bool ticked) override {
    CheckDlgButton(Handle(), IDC_IDLE_CHECK_BOX, ticked ? BST_CHECKED : BST_UNCHECKED);
  }
  int NeedIndex() override { return ComboBox(Item(IDC_NEED_COMBO)).GetCurSel(); }
  void SetNeedIndex(int index) override { ComboBox(Item(IDC_NEED_COMBO)).SetCurSel(index); }
  bool SkipAtLimitTicked() override {
    return IsDlgButtonChecked(Handle(), IDC_NEED_SKIP_AT_LIMIT) == BST_CHECKED;
  }
  void SetSkipAtLimitTicked(bool skip) override {
    CheckRadioButton(Handle(), IDC_NEED_START_AT_LIMIT, IDC_NEED_SKIP_AT_LIMIT,
                     skip ? IDC_NEED_SKIP_AT_LIMIT : IDC_NEED_START_AT_LIMIT);
  }
  void EnableNeedFields(const ConditionFieldUse& use) override;
  void SetNeedHint(const std::string& text) override {
    SetDlgItemTextA(Handle(), IDC_NEED_HINT, text.c_str());
  }
  std::optional<std::string> AskFolder(const std::string& initial) override {
    return AskFolderFrom(Handle(), initial);
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
  void OnDpiChanged(int dpi, const RECT& suggested) override;
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

  // Fonts for the dialog's DPI and every control at its place.
  void ApplyDpi();
  void AddHints();
  void CloseWith(int button);

  HWND main_window_;
  ItemDialogPresenter presenter_;
  ItemDialogFields initial_;
  char decimal_separator_;
  std::vector<std::unique_ptr<KeyFilter>> time_filters_;  // the time fields take digits only
  OwnedFont font_;
  OwnedFont separator_font_;
  OwnedIcon icon_;
  bool pinned_ = false;
  std::optional<ItemDialogResult> result_;
};
