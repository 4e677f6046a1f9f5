#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "adapter_test_support.h"
#include "platform/win32/win32_button_row.h"

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

// A hidden dialog holding a row of buttons with the given ids, captions and width.
class ButtonRowDialog {
 public:
  ButtonRowDialog(const std::vector<std::pair<int, std::string>>& buttons, int button_width) {
    alignas(DWORD) WORD layout[32] = {};
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(layout);
    dialog->style = WS_POPUP | WS_CAPTION;
    dialog->cx = 120;
    dialog->cy = 50;
    // Menu, class and title words stay zero.
    dialog_ =
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialog, nullptr, PlainDialogProc, 0);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    int left = 10;
    for (const auto& [id, caption] : buttons) {
      HWND button = CreateWindowExA(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE, left, 40,
                                    button_width, 24, dialog_, reinterpret_cast<HMENU>(id),
                                    GetModuleHandleA(nullptr), nullptr);
      SendMessageA(button, WM_SETFONT, font, FALSE);
      left += button_width + 6;
    }
  }
  ~ButtonRowDialog() { DestroyWindow(dialog_); }

  HWND get() const { return dialog_; }
  RECT Bounds(int id) const {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog_, id), &r);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

 private:
  HWND dialog_ = nullptr;
};

TEST(ButtonRow, NarrowButtonsGrowToTheirCaptionsInOrderWithoutOverlap) {
  ButtonRowDialog dialog(
      {{IDYES, "はい(&Y)"}, {IDNO, "いいえ(&N)"}, {IDCANCEL, "キャンセルしてから閉じる"}}, 20);
  ASSERT_NE(dialog.get(), nullptr);
  FitButtonRow(dialog.get());

  RECT client{};
  GetClientRect(dialog.get(), &client);
  const RECT yes = dialog.Bounds(IDYES);
  const RECT no = dialog.Bounds(IDNO);
  const RECT cancel = dialog.Bounds(IDCANCEL);
  for (int id : {IDYES, IDNO, IDCANCEL}) {
    EXPECT_TRUE(CaptionFits(GetDlgItem(dialog.get(), id))) << "button " << id;
  }
  EXPECT_LE(yes.right, no.left);
  EXPECT_LE(no.right, cancel.left);
  EXPECT_GE(yes.left, 0);
  EXPECT_LE(cancel.right, client.right) << "the dialog did not grow with the row";
  EXPECT_EQ(yes.top, 40);
  EXPECT_EQ(cancel.top, 40);
  EXPECT_EQ(yes.right - yes.left, cancel.right - cancel.left) << "buttons of a row share a width";
  EXPECT_LE(std::abs(yes.left - (client.right - cancel.right)), 1) << "the row is not centred";
}

TEST(ButtonRow, WideEnoughRowIsLeftAlone) {
  ButtonRowDialog dialog({{IDOK, "OK"}, {IDCANCEL, "キャンセル"}}, 90);
  ASSERT_NE(dialog.get(), nullptr);
  RECT frame_before{};
  GetWindowRect(dialog.get(), &frame_before);
  FitButtonRow(dialog.get());
  const RECT ok = dialog.Bounds(IDOK);
  const RECT cancel = dialog.Bounds(IDCANCEL);
  EXPECT_EQ(ok.left, 10);
  EXPECT_EQ(ok.right, 100);
  EXPECT_EQ(cancel.left, 106);
  RECT frame_after{};
  GetWindowRect(dialog.get(), &frame_after);
  EXPECT_EQ(frame_after.right - frame_after.left, frame_before.right - frame_before.left);
}

}  // namespace
