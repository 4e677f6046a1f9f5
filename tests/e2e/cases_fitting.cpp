// What the user types into the small number fields is shown whole while typing: the item
// dialog's four time fields and the options page's Wait field.

#include <string>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

constexpr char kItemDialog[] = "Morvelinアイテムプロパティ";

// Focuses the field the way the dialog manager does (its text selected), then types.
void TypeInto(HWND window, HWND field, const std::string& digits) {
  PostMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
  for (char c : digits) PostMessageA(field, WM_CHAR, static_cast<WPARAM>(c), 1);
}

// The typed text, with its first character drawn inside the field and its last one ending
// inside it: nothing scrolled out of view, nothing cut at the right.
void ExpectShownWhole(HWND field, const std::string& digits, const std::string& what) {
  if (!WaitUntil([&] { return TextOf(field) == digits; })) {
    E2E_CHECK_EQ_AS(what + " text", TextOf(field), digits);
    return;
  }
  const auto x_of = [&](size_t i) {
    return static_cast<short>(LOWORD(SendOrZero(field, EM_POSFROMCHAR, i, 0)));
  };
  RECT client{};
  GetClientRect(field, &client);
  const int first = x_of(0);
  const int last = x_of(digits.size() - 1);
  const int digit_width =
      digits.size() > 1 ? (last - first) / static_cast<int>(digits.size() - 1) : 0;
  E2E_CHECK(first >= 0, what + ": the first digit starts at x " + std::to_string(first));
  E2E_CHECK(last + digit_width <= client.right,
            what + ": the last digit ends at x " + std::to_string(last + digit_width) +
                " in a field " + std::to_string(client.right) + " wide");
}

}  // namespace

E2E_CASE(typed_numbers_show_whole) {
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);

  PressCommand(main, IDC_ADD_BTN);
  HWND dialog = WaitForDialog(program.pid, kItemDialog);
  E2E_REQUIRE(dialog != nullptr, "the item dialog did not open");
  const struct {
    int id;
    const char* digits;
  } times[] = {{IDC_SHH, "08"}, {IDC_SMM, "30"}, {IDC_EHH, "20"}, {IDC_EMM, "00"}};
  for (const auto& time : times) {
    HWND field = GetDlgItem(dialog, time.id);
    E2E_REQUIRE(field != nullptr, "no time field " + std::to_string(time.id));
    TypeInto(dialog, field, time.digits);
    ExpectShownWhole(field, time.digits, "time field " + std::to_string(time.id));
  }
  SaveScreenshot("time-fields", dialog);
  ClickButtonById(dialog, IDCANCEL);
  E2E_REQUIRE(WaitUntilGone(dialog), "the item dialog stayed open");

  // Every value of the Wait range, typed.
  ShowOptionsPage(main);
  HWND wait = Control(main, IDC_WAIT_EDIT);
  for (int seconds = 0; seconds <= 60; ++seconds) {
    TypeInto(main, wait, std::to_string(seconds));
    ExpectShownWhole(wait, std::to_string(seconds), "Wait field");
  }
  SaveScreenshot("wait-field", main);
  CancelAndExpectExit(program, main);
}
