#include "platform/win32/ui_font.h"

namespace {

constexpr char kUiFontName[] = "ＭＳ Ｐゴシック";

OwnedFont MakeFont(const char* face, int pixels, bool underline, BYTE charset, BYTE pitch) {
  return OwnedFont(CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, charset,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitch,
                               face));
}

}  // namespace

OwnedFont CreateUiFont(int pixels, bool underline) {
  return MakeFont(kUiFontName, pixels, underline, SHIFTJIS_CHARSET, VARIABLE_PITCH | FF_SWISS);
}

OwnedFont CreateFaceFont(const char* face, int pixels) {
  return MakeFont(face, pixels, false, DEFAULT_CHARSET, DEFAULT_PITCH | FF_DONTCARE);
}

ControlTextSize MeasureControlText(HWND control, const char* text, UINT format) {
  ControlTextSize size;
  const WindowDc dc(control);
  if (!dc) return size;
  const SelectedObject font(dc.Get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT bounds{};
  DrawTextA(dc.Get(), text, -1, &bounds, DT_CALCRECT | format);
  GetTextMetricsA(dc.Get(), &size.metrics);
  size.extent = {bounds.right - bounds.left, bounds.bottom - bounds.top};
  return size;
}
