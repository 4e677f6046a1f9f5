#include "logon/run_rules.h"

bool InTimeBand(const ParsedText<TimeBand>& band, const std::string& clock) {
  return band->Admits(clock);
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
