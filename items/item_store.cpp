#include "items/item_store.h"

#include <stdexcept>
#include <utility>

std::ptrdiff_t ItemStore::CheckedIndex(int i) const {
  if (i < 0 || i >= Size()) throw std::out_of_range("row index out of range");
  return i;
}

bool ItemStore::Move(int i, int step) {
  const int target = i + step;
  if (i < 0 || i >= Size() || target < 0 || target >= Size()) return false;
  std::swap(rows_[static_cast<size_t>(i)], rows_[static_cast<size_t>(target)]);
  return true;
}
