#include "platform/win32/ui_font.h"

namespace {

constexpr char kUiFontName[] = "ＭＳ Ｐゴシック";

}  // namespace

OwnedFont CreateUiFont(int pixels) {
  return OwnedFont(CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               VARIABLE_PITCH | FF_SWISS, kUiFontName));
}
