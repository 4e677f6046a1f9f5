// Stored window bounds that no screen shows: the main window comes back into view on the next
// start, and the next save keeps the place the user can see.

#include <string>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

E2E_CASE(window_stored_off_screen) {
  WriteSettings({{"Left", "-32000"}, {"Top", "5000"}, {"Height", "350"}, {"Width", "500"}});
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  SaveScreenshot("main", main);

  const RECT shown = WindowRect(main);
  E2E_CHECK_EQ_AS("window width", shown.right - shown.left, 500);
  E2E_CHECK_EQ_AS("window height", shown.bottom - shown.top, 350);
  E2E_CHECK(shown.left >= 0 && shown.top >= 0 && shown.right <= GetSystemMetrics(SM_CXSCREEN) &&
                shown.bottom <= GetSystemMetrics(SM_CYSCREEN),
            "the window is not wholly on the screen at " + Describe(shown.left) + "," +
                Describe(shown.top));

  PressCommand(main, IDC_UPDATE_BTN);
  const std::string left = std::to_string(shown.left);
  E2E_CHECK(
      WaitUntil([&] { return ReadWindowValue("Left").bytes == SzBytes(left); }),
      "Update did not store the shown position; message boxes open:" + OpenBoxes(program.pid));
  CheckWindowValues(
      {{"Left", left}, {"Top", std::to_string(shown.top)}, {"Height", "350"}, {"Width", "500"}});
  CancelAndExpectExit(program, main);
}
