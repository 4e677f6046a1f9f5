#pragma once

#include <windows.h>

#include "platform/win32/owned_handle.h"

// The program's UI font ("ＭＳ Ｐゴシック") with a character height of `pixels`.
OwnedFont CreateUiFont(int pixels, bool underline = false);
// Another face, for the few texts drawn in a font of their own.
OwnedFont CreateFaceFont(const char* face, int pixels);

// How a text measures in the font a control draws with.
struct ControlTextSize {
  SIZE extent{};
  TEXTMETRICA metrics{};
};
// `format` takes DrawText's flags: an '&' marks the next letter unless DT_NOPREFIX is given.
ControlTextSize MeasureControlText(HWND control, const char* text, UINT format = DT_SINGLELINE);

// Gives a window a font without redrawing it; the caller keeps the font alive.
inline void UseFont(HWND window, HFONT font) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}
