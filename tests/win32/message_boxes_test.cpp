#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "adapter_test_support.h"
#include "platform/win32/win32_message_boxes.h"

namespace {

constexpr int kIconStatic = 1088;
constexpr int kTextStatic = 0xFFFF;

// Shows one box on a thread of its own, as the program's user-interface thread would, while
// the test thread finds it and answers it like a user.
class ShownBox {
 public:
  ShownBox(BoxIcon icon, BoxButtons buttons, std::string text, bool with_owner = false)
      : caption_(UniqueName("確認")),
        icon_(icon),
        buttons_(buttons),
        text_(std::move(text)),
        with_owner_(with_owner) {
    thread_ = CreateThread(nullptr, 0, &ShownBox::Run, this, 0, nullptr);
  }

  ~ShownBox() {
    if (!thread_) return;
    if (!Ended(0)) {
      // A failed test leaves its box open: answer it so the thread can end.
      if (HWND box = FindWindowA("#32770", caption_.c_str())) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
      Ended(10000);
    }
    CloseHandle(thread_);
  }

  const std::string& caption() const { return caption_; }
  HWND owner() const { return owner_.load(); }

  // The box once it is on screen, or null.
  HWND Find() {
    HWND box = nullptr;
    WaitUntil([&] {
      box = FindWindowA("#32770", caption_.c_str());
      return box && IsWindowVisible(box);
    });
    return box;
  }

  bool Ended(DWORD limit_ms = 30000) {
    return thread_ && WaitForSingleObject(thread_, limit_ms) == WAIT_OBJECT_0;
  }
  BoxAnswer answer() const { return answer_; }

 private:
  static DWORD WINAPI Run(void* self_pointer) {
    auto* self = static_cast<ShownBox*>(self_pointer);
    HWND owner = nullptr;
    if (self->with_owner_) {
      owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                              100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
      SetActiveWindow(owner);
      self->owner_ = owner;
    }
    self->answer_ =
        Win32MessageBoxes().Show(self->caption_, self->icon_, self->buttons_, self->text_);
    if (owner) {
      self->owner_enabled_after_ = IsWindowEnabled(owner) != FALSE;
      DestroyWindow(owner);
    }
    return 0;
  }

  std::string caption_;
  BoxIcon icon_;
  BoxButtons buttons_;
  std::string text_;
  bool with_owner_;
  HANDLE thread_ = nullptr;
  std::atomic<HWND> owner_{nullptr};
  BoxAnswer answer_ = BoxAnswer::Ok;

 public:
  bool owner_enabled_after_ = false;
};

std::string ItemText(HWND box, int id) {
  char text[512] = {};
  GetDlgItemTextA(box, id, text, sizeof text);
  return text;
}

bool Shows(HWND box, int id) {
  HWND control = GetDlgItem(box, id);
  return control && IsWindowVisible(control);
}

// Visible buttons of the box, by id, in the order OK, Cancel, Yes, No.
std::vector<int> VisibleButtons(HWND box) {
  std::vector<int> ids;
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO, IDRETRY}) {
    if (Shows(box, id)) ids.push_back(id);
  }
  return ids;
}

// Posts a key to the box's focused control, as the keyboard would.
void PressKey(HWND box, WPARAM key) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  HWND target = box;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info) && info.hwndFocus) {
    target = info.hwndFocus;
  }
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

HICON SystemIcon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Warning:
      return LoadIconA(nullptr, IDI_WARNING);
    case BoxIcon::Error:
      return LoadIconA(nullptr, IDI_ERROR);
    case BoxIcon::Information:
      return LoadIconA(nullptr, IDI_INFORMATION);
    case BoxIcon::Question:
      return LoadIconA(nullptr, IDI_QUESTION);
    case BoxIcon::None:
      break;
  }
  return nullptr;
}

struct BoxCase {
  const char* name;
  BoxButtons buttons;
  BoxIcon icon;
  std::vector<int> buttons_shown;
  int default_button;
  BoxAnswer escape_answer;
};

// Keeps the test names short where the parameter is shown.
void PrintTo(const BoxCase& kind, std::ostream* out) {
  *out << kind.name;
}

class MessageBoxKindTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxKindTest, ShowsTheProgramsButtonsAndIconAndEscapeAnswers) {
  const BoxCase& kind = GetParam();
  const std::string text = "今すぐWindowsを再起動しますか？\r\n二行目ソ表示";
  ShownBox shown(kind.icon, kind.buttons, text);
  HWND box = shown.Find();
  ASSERT_NE(box, nullptr) << "no box titled " << shown.caption();

  EXPECT_EQ(ItemText(box, kTextStatic), text);
  EXPECT_EQ(VisibleButtons(box), kind.buttons_shown);
  for (int id : kind.buttons_shown) {
    const char* expected = id == IDOK       ? "OK"
                           : id == IDCANCEL ? "キャンセル"
                           : id == IDYES    ? "はい(&Y)"
                           : id == IDRETRY  ? "再試行(&R)"
                                            : "いいえ(&N)";
    EXPECT_EQ(ItemText(box, id), expected) << "button " << id;
    EXPECT_TRUE(CaptionFits(GetDlgItem(box, id))) << "button " << id << " cuts its caption";
  }

  // The system's own icon of the kind; a plain notice shows none.
  const auto icon =
      reinterpret_cast<HICON>(SendDlgItemMessageA(box, kIconStatic, STM_GETICON, 0, 0));
  EXPECT_EQ(icon, SystemIcon(kind.icon));
  if (kind.icon != BoxIcon::None) {
    EXPECT_TRUE(Shows(box, kIconStatic));
  }

  const LRESULT default_id = SendMessageA(box, DM_GETDEFID, 0, 0);
  EXPECT_EQ(HIWORD(default_id), DC_HASDEFID);
  EXPECT_EQ(LOWORD(default_id), kind.default_button);

  RECT frame{};
  GetWindowRect(box, &frame);
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 2)
      << "not centred across the screen";
  EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 2)
      << "not centred down the screen";

  PressKey(box, VK_ESCAPE);
  ASSERT_TRUE(shown.Ended()) << "Escape did not close the box";
  EXPECT_EQ(shown.answer(), kind.escape_answer);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MessageBoxKindTest,
    ::testing::Values(
        BoxCase{"PlainNotice", BoxButtons::Ok, BoxIcon::None, {IDOK}, IDOK, BoxAnswer::Ok},
        BoxCase{"ErrorOk", BoxButtons::Ok, BoxIcon::Error, {IDOK}, IDOK, BoxAnswer::Ok},
        BoxCase{"WarningOkCancel",
                BoxButtons::OkCancel,
                BoxIcon::Warning,
                {IDOK, IDCANCEL},
                IDOK,
                BoxAnswer::Cancel},
        BoxCase{"InformationYesNo",
                BoxButtons::YesNo,
                BoxIcon::Information,
                {IDYES, IDNO},
                IDYES,
                BoxAnswer::No},
        BoxCase{"QuestionYesNoCancel",
                BoxButtons::YesNoCancel,
                BoxIcon::Question,
                {IDCANCEL, IDYES, IDNO},
                IDYES,
                BoxAnswer::Cancel},
        BoxCase{"ErrorRetryCancel",
                BoxButtons::RetryCancel,
                BoxIcon::Error,
                {IDCANCEL, IDRETRY},
                IDRETRY,
                BoxAnswer::Cancel}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxes, EnterAnswersTheDefaultButton) {
  {
    ShownBox shown(BoxIcon::Information, BoxButtons::YesNo, "削除しますか？");
    HWND box = shown.Find();
    ASSERT_NE(box, nullptr);
    PressKey(box, VK_RETURN);
    ASSERT_TRUE(shown.Ended());
    EXPECT_EQ(shown.answer(), BoxAnswer::Yes);
  }
  {
    ShownBox shown(BoxIcon::Warning, BoxButtons::OkCancel, "ファイルを選択して下さい");
    HWND box = shown.Find();
    ASSERT_NE(box, nullptr);
    PressKey(box, VK_RETURN);
    ASSERT_TRUE(shown.Ended());
    EXPECT_EQ(shown.answer(), BoxAnswer::Ok);
  }
}

TEST(MessageBoxes, EachButtonGivesItsOwnAnswer) {
  const struct {
    BoxButtons buttons;
    int button;
    BoxAnswer answer;
  } clicks[] = {
      {BoxButtons::YesNoCancel, IDYES, BoxAnswer::Yes},
      {BoxButtons::YesNoCancel, IDNO, BoxAnswer::No},
      {BoxButtons::YesNoCancel, IDCANCEL, BoxAnswer::Cancel},
      {BoxButtons::YesNo, IDNO, BoxAnswer::No},
      {BoxButtons::OkCancel, IDOK, BoxAnswer::Ok},
      {BoxButtons::OkCancel, IDCANCEL, BoxAnswer::Cancel},
      {BoxButtons::RetryCancel, IDRETRY, BoxAnswer::Retry},
  };
  for (const auto& click : clicks) {
    ShownBox shown(BoxIcon::Question, click.buttons, "どれを押しますか？");
    HWND box = shown.Find();
    ASSERT_NE(box, nullptr);
    SendMessageA(GetDlgItem(box, click.button), BM_CLICK, 0, 0);
    ASSERT_TRUE(shown.Ended());
    EXPECT_EQ(shown.answer(), click.answer) << "button " << click.button;
  }
}

TEST(MessageBoxes, BoxIsModalToTheActiveWindow) {
  ShownBox shown(BoxIcon::Information, BoxButtons::YesNo, "今すぐWindowsを再起動しますか？",
                 /*with_owner=*/true);
  HWND box = shown.Find();
  ASSERT_NE(box, nullptr);
  ASSERT_NE(shown.owner(), nullptr);
  EXPECT_EQ(GetWindow(box, GW_OWNER), shown.owner());
  EXPECT_FALSE(IsWindowEnabled(shown.owner())) << "the owner still takes input";
  SendMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
  ASSERT_TRUE(shown.Ended());
  EXPECT_EQ(shown.answer(), BoxAnswer::No);
  EXPECT_TRUE(shown.owner_enabled_after_) << "the owner stayed disabled";
}

}  // namespace
