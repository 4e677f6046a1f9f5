// Digits typed into the small number fields are shown whole while typing: the item dialog's
// time fields and every value of the options page's Wait field.

#include <string>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

// Focuses the field as the dialog manager does (its text selected), types, and reads where the
// first and last digits are drawn: both inside the field.
void TypeAndExpectShownWhole(HWND window, HWND field, const std::string& digits) {
  PostMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
  for (char c : digits) PostMessageA(field, WM_CHAR, static_cast<WPARAM>(c), 1);
  E2E_REQUIRE(WaitUntil([&] { return TextOf(field) == digits; }), "typed " + digits);
  const auto x = [&](size_t i) { return short(LOWORD(SendOrZero(field, EM_POSFROMCHAR, i, 0))); };
  RECT client{};
  GetClientRect(field, &client);
  const int last_end = x(digits.size() - 1) + (digits.size() > 1 ? x(1) - x(0) : 0);
  E2E_CHECK(x(0) >= 0 && last_end <= client.right,
            digits + " drawn from x " + std::to_string(x(0)) + " to " + std::to_string(last_end));
}

}  // namespace

E2E_CASE(typed_numbers_show_whole) {
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  PressCommand(main, IDC_ADD_BTN);
  HWND dialog = WaitForDialog(program.pid, "Morvelinアイテムプロパティ");
  E2E_REQUIRE(dialog != nullptr, "the item dialog did not open");
  const std::pair<int, const char*> times[] = {
      {IDC_SHH, "08"}, {IDC_SMM, "30"}, {IDC_EHH, "20"}, {IDC_EMM, "00"}};
  for (const auto& [id, digits] : times)
    TypeAndExpectShownWhole(dialog, GetDlgItem(dialog, id), digits);
  SaveScreenshot("time-fields", dialog);
  PostButtonCommand(dialog, IDCANCEL);
  E2E_REQUIRE(WaitUntilGone(dialog), "the item dialog stayed open");

  ShowOptionsPage(main);
  for (int seconds = 0; seconds <= 60; ++seconds)
    TypeAndExpectShownWhole(main, Control(main, IDC_WAIT_EDIT), std::to_string(seconds));
  CancelAndExpectExit(program, main);
}
