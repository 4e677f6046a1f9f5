#pragma once

#include <cstdint>
#include <vector>

#include "items/launch_item.h"

// The ordered list of rows plus Count, the number of rows as of the last load or save.
// Rows move whole, so every field and the enabled flag always travel together.
class ItemStore {
 public:
  std::int32_t count = 0;

  int Size() const { return static_cast<int>(rows_.size()); }
  bool Empty() const { return rows_.empty(); }
  const LaunchItem& Row(int i) const { return rows_.at(static_cast<size_t>(i)); }
  LaunchItem& Row(int i) { return rows_.at(static_cast<size_t>(i)); }
  const std::vector<LaunchItem>& Rows() const { return rows_; }

  void Append(LaunchItem row) { rows_.push_back(std::move(row)); }
  void Replace(int i, LaunchItem row) { Row(i) = std::move(row); }
  void Delete(int i) { rows_.erase(rows_.begin() + CheckedIndex(i)); }
  // Moves row i to i + step (the neighbour takes index i); false when that leaves the list.
  bool Move(int i, int step);
  void Clear() { rows_.clear(); }

 private:
  std::ptrdiff_t CheckedIndex(int i) const;
  std::vector<LaunchItem> rows_;
};
