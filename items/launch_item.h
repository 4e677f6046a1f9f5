#pragma once

#include <string>

#include "items/row_fields.h"
#include "items/row_timing.h"
#include "items/start_condition.h"

// One row of the list. Every field is text in the ANSI code page, stored under its key letter.
struct LaunchItem {
  std::string title;              // T; exactly "-" makes a separator
  std::string file;               // F
  std::string folder;             // W
  std::string args;               // A
  ParsedText<WindowState> state;  // S
  ParsedText<TimeBand> band;      // H
  ParsedText<OnceRule> once;      // D
  std::string home;               // P
  bool enabled = false;           // C
  RowTiming timing = {};  // keys of their own, written only when they differ from the defaults
  StartCondition condition = {};  // the same

  bool operator==(const LaunchItem&) const = default;
};

// The field letters in the fixed order every column-wise operation follows.
inline constexpr char kFieldLetters[] = {'T', 'F', 'W', 'A', 'S', 'H', 'D', 'P'};

const std::string& FieldOf(const LaunchItem& item, char letter);
void SetField(LaunchItem& item, char letter, std::string text);

// The show command of every launch that is not a row's: the system's "show".
inline constexpr int kShowCommandShow = 5;

// The show command for a window state S: S as a whole number plus one. Throws AppError
// ("'<S>' は整数ではありません") when S is not a whole number.
int ShowCommandOf(const ParsedText<WindowState>& state);

LaunchItem SeparatorRow();
bool IsSeparator(const LaunchItem& item);
