// Closing the main window by the close box or Alt+F4 with unsaved changes: each answer of the
// question, and the restart question's default that Enter must not turn into a restart.

#include <string>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

constexpr char kConfirmation[] = "確認";
constexpr char kCancel[] = "キャンセル";
constexpr char kSaveQuestion[] =
    "アイテムの一覧または設定の変更が保存されていません。\r\n保存してから終了しますか？\r\n"
    "「いいえ」を選ぶと変更を捨てて終了します。";

// Starts the program on one enabled row, unticks it and ticks Caps: two unsaved changes.
HWND StartAndChange(const Process& program) {
  HWND main = StartAndWaitForMain(program);
  HWND list = TitleList(main);
  E2E_REQUIRE(SetListChecked(list, 0, false), "cannot untick the row");
  E2E_REQUIRE(WaitUntil([&] { return ListStateImage(list, 0) == 1; }), "the row stays ticked");
  ShowOptionsPage(main);
  E2E_REQUIRE(Click(Control(main, IDC_CAPS_CHECK_BOX)), "cannot tick Caps");
  return main;
}

// The question the close brings, checked and answered.
void AnswerSaveQuestion(const Process& program, const char* answer, const char* label) {
  E2E_REQUIRE(AnswerBox(program.pid, kConfirmation, kSaveQuestion, {kYes, kNo, kCancel},
                        IconKind::Question, answer, std::string("save-question-") + label),
              "no question on closing with unsaved changes");
}

void CloseBox(HWND main) {
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// F4 with Alt held, as the keyboard delivers it; the system turns it into the close command.
void PressAltF4(HWND main) {
  const LPARAM alt_down = 1 | (0x3E << 16) | KF_ALTDOWN << 16;
  PostMessageA(main, WM_SYSKEYDOWN, VK_F4, alt_down);
  PostMessageA(main, WM_SYSKEYUP, VK_F4, alt_down | KF_REPEAT << 16 | KF_UP << 16);
}

}  // namespace

E2E_CASE(closing_with_unsaved_changes) {
  WriteSettings({{"Count", "1"}});
  WriteItemFile(
      ItemFile(RowKeys(0, "Mail", "C:\\mail.exe", "", "", "0", "00002359", "000/00", "", "1")));
  const std::string stored = ItemFileBytes();

  // Alt+F4, as the keyboard gives it; Cancel stays in the window with the changes.
  Process program = StartProgram();
  HWND main = StartAndChange(program);
  PressAltF4(main);
  AnswerSaveQuestion(program, kCancel, "cancel");
  E2E_CHECK(IsRunning(program) && Responsive(main), "Cancel did not keep the window");
  E2E_CHECK(IsChecked(Control(main, IDC_CAPS_CHECK_BOX)), "Cancel lost the change");

  // The close box: No discards and ends without the restart question.
  CloseBox(main);
  AnswerSaveQuestion(program, kNo, "no");
  ExpectQuietExit(program);
  E2E_CHECK_EQ_AS("item file after No", ItemFileBytes(), stored);
  E2E_CHECK(!ReadWindowValue("Caps").exists, "No stored the options");

  // Yes saves as OK does, and OK's restart question has No as its default button.
  program = StartProgram();
  main = StartAndChange(program);
  CloseBox(main);
  AnswerSaveQuestion(program, kYes, "yes");
  HWND box = WaitForMessageBox(program.pid);
  E2E_REQUIRE(box != nullptr, "Yes asked no restart question");
  CheckBox(ReadBox(box), kInformation, kRestartQuestion, {kYes, kNo}, IconKind::Information);
  E2E_CHECK_EQ_AS("restart question's default button", LOWORD(SendOrZero(box, DM_GETDEFID, 0, 0)),
                  IDNO);
  GUITHREADINFO focus{};
  focus.cbSize = sizeof focus;
  E2E_REQUIRE(GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &focus) && focus.hwndFocus,
              "nothing has the focus in the restart question");
  E2E_CHECK_EQ_AS("focused button", GetDlgCtrlID(focus.hwndFocus), IDNO);
  // Enter, as a user pressing it after saving: the program ends and nothing restarts.
  PostMessageA(focus.hwndFocus, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(focus.hwndFocus, WM_KEYUP, VK_RETURN, 0xC0000001);
  ExpectQuietExit(program);
  CheckWindowValues({{"Caps", "1"}, {"Count", "1"}});
  E2E_CHECK_EQ_AS("row's check after Yes", ProfileValue(SavedItems(), "C0"), "0");
}
