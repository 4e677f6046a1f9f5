// The released archive's program, unpacked where a user would put it: its configuration window
// opens and it ends cleanly. Run by tests/package/check-package, not as a case of its own.

#include <string>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

E2E_CASE(packaged_start) {
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  E2E_REQUIRE(main != nullptr, "the configuration window did not open");
  SaveScreenshot("packaged-main", main);
  E2E_CHECK_EQ(TextOf(main), "Morvelin");
  HWND list = TitleList(main);
  if (E2E_CHECK(list != nullptr, "no title list"))
    E2E_CHECK_EQ_AS("rows in the title list", ListCount(list), 0);
  HWND status = FindControl(main, STATUSCLASSNAMEA);
  if (E2E_CHECK(status != nullptr, "no status bar"))
    E2E_CHECK_EQ_AS("status panel 0", StatusText(status, 0), "Version 2.1");
  PressCommand(main, IDC_CANCEL_BTN);
  ExpectQuietExit(program);
}
