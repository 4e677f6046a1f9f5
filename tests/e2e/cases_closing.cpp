// Closing the main window with unsaved changes by Alt+F4 or the close box, each answer of the
// question; and the restart question's default, which Enter must not turn into a restart.

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

E2E_CASE(closing_with_unsaved_changes) {
  WriteSettings({{"Count", "1"}});
  WriteItemFile(
      ItemFile(RowKeys(0, "Mail", "C:\\mail.exe", "", "", "0", "00002359", "000/00", "", "1")));
  const std::string question =
      "アイテムの一覧または設定の変更が保存されていません。\r\n保存してから終了しますか？\r\n"
      "「いいえ」を選ぶと変更を捨てて終了します。";
  Process program;
  HWND main = nullptr;
  for (const char* answer : {"キャンセル", kNo, kYes}) {
    if (answer != kNo) {  // No answers in the window Cancel kept open
      program = StartProgram();
      main = StartAndWaitForMain(program);
      E2E_REQUIRE(SetListChecked(TitleList(main), 0, false), "cannot untick the row");
    }
    if (answer == kYes) {
      PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    } else {                                           // Alt+F4, as the keyboard delivers it
      PostMessageA(main, WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN << 16);
    }
    E2E_REQUIRE(AnswerBox(program.pid, "確認", question, {kYes, kNo, "キャンセル"},
                          IconKind::Question, answer),
                "no question on closing with unsaved changes");
    if (answer == kNo) {
      ExpectQuietExit(program);
      E2E_CHECK_EQ_AS("row's check after No", ProfileValue(SavedItems(), "C0"), "1");
    }
    if (answer != kYes) continue;
    HWND box = WaitForMessageBox(program.pid);
    E2E_REQUIRE(box != nullptr, "Yes asked no restart question");
    CheckBox(ReadBox(box), kInformation, kRestartQuestion, {kYes, kNo}, IconKind::Information);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    E2E_REQUIRE(GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &focus), "no focus");
    E2E_CHECK_EQ_AS("default button", LOWORD(SendOrZero(box, DM_GETDEFID, 0, 0)), IDNO);
    E2E_CHECK_EQ_AS("focused button", GetDlgCtrlID(focus.hwndFocus), IDNO);
    PostMessageA(focus.hwndFocus, WM_KEYDOWN, VK_RETURN, 1);  // Enter ends without a restart
  }
  ExpectQuietExit(program);
  E2E_CHECK_EQ_AS("row's check after Yes", ProfileValue(SavedItems(), "C0"), "0");
}
