#include "platform/win32/modal_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/app_error.h"
#include "resources/resource_ids.h"

namespace {

// Throws from its second message on; whatever it reports closes it.
class ThrowingDialog : public ModalDialog {
 public:
  explicit ThrowingDialog(std::vector<std::string>& reported)
      : ModalDialog(GetModuleHandleA(nullptr), [this, &reported](const std::string& message) {
          reported.push_back(message);
          EndDialog(Handle(), 42);
        }) {}

 private:
  bool OnInit() override {
    PostMessageA(Handle(), WM_APP, 0, 0);
    return true;
  }
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM, LPARAM) override {
    if (message == WM_APP) throw AppError("'x' は整数ではありません");
    return std::nullopt;
  }
};

TEST(ModalDialog, ExceptionsStopAtTheDialogAndAreReported) {
  std::vector<std::string> reported;
  ThrowingDialog dialog(reported);
  EXPECT_EQ(dialog.Run(IDD_LIST_VIEW_DLG, nullptr), 42);
  EXPECT_EQ(reported, (std::vector<std::string>{"'x' は整数ではありません"}));
}

TEST(ModalDialog, ADialogThatCannotBeCreatedIsAnErrorNotACancel) {
  std::vector<std::string> reported;
  ThrowingDialog dialog(reported);
  try {
    dialog.Run(0x7ABC, nullptr);  // no such template
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("ダイアログを表示できません", 0), 0u) << error.what();
  }
  EXPECT_TRUE(reported.empty());
}

}  // namespace
