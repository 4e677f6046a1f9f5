#include "shell/about_figures.h"

#include <cmath>
#include <exception>

#include "shell/shell_texts.h"

std::string KilobyteText(std::uint64_t bytes, const std::string& thousands_separator) {
  // Ties go to the even neighbour, as the default floating-point rounding mode does.
  const double kilobytes = std::nearbyint(static_cast<double>(bytes) / 1024.0);
  const std::string digits = std::to_string(static_cast<std::uint64_t>(kilobytes));
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += thousands_separator;
    text += digits[i];
  }
  return text + "KB";
}

std::string FreeResourceLine(const std::string& system, const std::string& user,
                             const std::string& gdi) {
  return " System：" + system + "%" + "  User：" + user + "%" + "  GDI：" + gdi + "%";
}

Rgb FreeResourceColour(int system_percent, int user_percent) {
  Rgb colour = kLime;
  if (system_percent < 34 || user_percent < 34) colour = kYellow;
  if (system_percent < 18 || user_percent < 18) colour = kRed;
  return colour;
}

FreeResourceTexts GetFreeResourceTexts(FreeResources& resources) {
  FreeResourceTexts texts;
  texts.system = std::to_string(resources.Percent(FreeResources::kSystem));
  texts.gdi = std::to_string(resources.Percent(FreeResources::kGdi));
  texts.user = std::to_string(resources.Percent(FreeResources::kUser));
  return texts;
}

AboutFigures RefreshSystemInfo(MemoryStatus& memory, FreeResources& resources) {
  AboutFigures figures;
  const MemoryFigures status = memory.Read();
  const std::string separator = memory.ThousandsSeparator();
  figures.total_memory =
      shell_texts::kTotalMemoryLabel + KilobyteText(status.total_physical, separator);
  figures.free_memory =
      shell_texts::kFreeMemoryLabel + KilobyteText(status.available_physical, separator);
  try {
    const FreeResourceTexts texts = GetFreeResourceTexts(resources);
    figures.resources = FreeResourceLine(texts.system, texts.user, texts.gdi);
    figures.resources_colour = FreeResourceColour(std::stoi(texts.system), std::stoi(texts.user));
  } catch (const std::exception&) {
    figures.resources = shell_texts::kNoResourceFigures;
    figures.resources_colour = kLime;
  }
  return figures;
}
