#include "items/launch_item.h"

#include <cstdint>
#include <stdexcept>

#include "items/integer_text.h"

std::string& FieldOf(LaunchItem& item, char letter) {
  switch (letter) {
    case 'T':
      return item.title;
    case 'F':
      return item.file;
    case 'W':
      return item.folder;
    case 'A':
      return item.args;
    case 'S':
      return item.state;
    case 'H':
      return item.band;
    case 'D':
      return item.once;
    case 'P':
      return item.home;
  }
  throw std::invalid_argument("unknown field letter");
}

const std::string& FieldOf(const LaunchItem& item, char letter) {
  return FieldOf(const_cast<LaunchItem&>(item), letter);
}

LaunchItem SeparatorRow() {
  LaunchItem row;
  row.title = "-";
  row.state = "0";
  row.band = "00000000";
  row.once = "000/00";
  row.enabled = false;
  return row;
}

bool IsSeparator(const LaunchItem& item) {
  return item.title == "-";
}

int ShowCommandOf(const std::string& state) {
  // Any number is handed on plus one; the addition wraps like the shell's int would.
  return static_cast<int>(static_cast<std::uint32_t>(IntegerOrThrow(state)) + 1u);
}
