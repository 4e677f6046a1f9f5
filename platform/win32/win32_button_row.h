#pragma once

#include <windows.h>

// Widens a dialog's row of OK, Cancel, Yes and No buttons, keeping their order and spacing and
// centring the row, when a caption needs more room than the buttons have; the dialog grows
// when the row no longer fits. A row wide enough already is left alone.
void FitButtonRow(HWND dialog);
