#include "items/launch_item.h"

#include <stdexcept>

const std::string& FieldOf(const LaunchItem& item, char letter) {
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

void SetField(LaunchItem& item, char letter, std::string text) {
  switch (letter) {
    case 'T':
      item.title = std::move(text);
      return;
    case 'F':
      item.file = std::move(text);
      return;
    case 'W':
      item.folder = std::move(text);
      return;
    case 'A':
      item.args = std::move(text);
      return;
    case 'S':
      item.state = std::move(text);
      return;
    case 'H':
      item.band = std::move(text);
      return;
    case 'D':
      item.once = std::move(text);
      return;
    case 'P':
      item.home = std::move(text);
      return;
  }
  throw std::invalid_argument("unknown field letter");
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

int ShowCommandOf(const ParsedText<WindowState>& state) {
  return state->ShowCommand();
}
