#include "core/text_format.h"

std::string FormatText(std::string_view pattern, std::string_view argument) {
  std::string out(pattern);
  if (const auto at = out.find("%s"); at != std::string::npos) out.replace(at, 2, argument);
  return out;
}
