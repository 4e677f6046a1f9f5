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
