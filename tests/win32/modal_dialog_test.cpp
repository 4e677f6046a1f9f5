#include "platform/win32/modal_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/wait_and_files.h"
#include "core/texts.h"
#include "core/win32/app_error_box.h"
#include "platform/app_error.h"
#include "resources/resource_ids.h"

namespace {

// Throws from its second message on and closes with its third.
class ThrowingDialog : public ModalDialog {
 public:
  ThrowingDialog(std::function<void()> fail, ErrorReporter report)
      : ModalDialog(GetModuleHandleA(nullptr), std::move(report)), fail_(std::move(fail)) {}

 private:
  bool OnInit() override {
    PostMessageA(Handle(), WM_APP, 0, 0);
    PostMessageA(Handle(), WM_APP + 1, 0, 0);
    return true;
  }
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM, LPARAM) override {
    if (message == WM_APP) fail_();
    if (message == WM_APP + 1) EndDialog(Handle(), 42);
    return std::nullopt;
  }
  std::function<void()> fail_;
};

TEST(ModalDialog, ExceptionsStopAtTheDialogAndAreReported) {
  std::vector<std::string> reported;
  ThrowingDialog dialog([] { throw AppError("'x' は整数ではありません"); },
                        [&](const std::exception& error) { reported.push_back(error.what()); });
  EXPECT_EQ(dialog.Run(IDD_LIST_VIEW_DLG, nullptr), 42);
  EXPECT_EQ(reported, (std::vector<std::string>{"'x' は整数ではありません"}));
}

TEST(ModalDialog, ADialogThatCannotBeCreatedIsAnErrorNotACancel) {
  std::vector<std::string> reported;
  ThrowingDialog dialog([] {},
                        [&](const std::exception& error) { reported.push_back(error.what()); });
  try {
    dialog.Run(0x7ABC, nullptr);  // no such template
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("ダイアログを表示できません", 0), 0u) << error.what();
  }
  EXPECT_TRUE(reported.empty());
}

TEST(ModalDialog, AForeignErrorShowsOneJapaneseTextAndLogsItsDetail) {
  const std::string log = LogFilePath(ProgramFolderOf(Win32System().ProgramFilePath()));
  char shown[512] = "";
  std::thread answer([&shown] {
    // FindWindow sees the box before its controls exist; a click sent then is lost.
    HWND box = nullptr;
    WaitUntil([&] {
      box = FindWindowA("#32770", texts::kAppTitle);
      return box && IsWindowVisible(box) && GetDlgItem(box, IDOK);
    });
    GetDlgItemTextA(box, 0xFFFF, shown, sizeof shown);
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  });
  ThrowingDialog dialog([] { throw std::out_of_range("vector::_M_range_check"); }, ShowAppErrorBox);
  EXPECT_EQ(dialog.Run(IDD_LIST_VIEW_DLG, nullptr), 42);
  answer.join();
  EXPECT_STREQ(shown, texts::kInternalError);
  EXPECT_EQ(ReadFileBytes(log), "内部ｴﾗｰ: vector::_M_range_check\r\n");
  DeleteFileA(log.c_str());
}

}  // namespace
