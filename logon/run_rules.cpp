#include "logon/run_rules.h"

#include <string_view>

namespace {

// Characters [from, from + 2) of the band, as far as they exist.
std::string_view Piece(std::string_view band, size_t from) {
  return from < band.size() ? band.substr(from, 2) : std::string_view{};
}

bool IsTwoDigits(std::string_view piece) {
  return piece.size() == 2 && piece[0] >= '0' && piece[0] <= '9' && piece[1] >= '0' &&
         piece[1] <= '9';
}

}  // namespace

bool InTimeBand(const std::string& band, const std::string& clock) {
  // An empty, short or garbled band admits nothing rather than some accidental range.
  for (size_t from = 0; from < 8; from += 2)
    if (!IsTwoDigits(Piece(band, from))) return false;
  const std::string start = std::string(Piece(band, 0)) + ":" + std::string(Piece(band, 2));
  const std::string end = std::string(Piece(band, 4)) + ":" + std::string(Piece(band, 6));
  // std::string compares bytes as unsigned char, shorter prefix first.
  if (start <= end) return clock >= start && clock <= end;
  // A start after the end reaches over midnight.
  return clock >= start || clock <= end;
}

void ApplyCapsLock(Keyboard& keyboard, bool caps_on) {
  if (keyboard.IsToggled(kVkCapital) != caps_on) keyboard.PressAndRelease(kVkCapital);
}

void ApplyNumLock(Keyboard& keyboard, bool num_on) {
  if (keyboard.IsToggled(kVkNumLock) != num_on) keyboard.PressAndRelease(kVkNumLock);
}

void ApplyLogOnConveniences(const AppSettings& settings, Keyboard& keyboard, Shell& shell) {
  ApplyCapsLock(keyboard, settings.caps);
  ApplyNumLock(keyboard, settings.num);
  if (settings.clear_recent) shell.ClearRecentDocuments();
}
