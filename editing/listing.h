#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "items/launch_item.h"

// Where the main window stands when the listing opens, and whether the listing is to be
// centred on the screen instead of lying over the main window's item area.
struct ListingPlacement {
  int main_left, main_top, main_width, tool_strip_height, status_bar_height, page_height;
  bool centre_on_screen;
};

struct ListingRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ListingRect&) const = default;
};

// The listing covers the main window's item area: below its tool strip and status bar, as wide
// as the window and as high as its pages. Centred, it keeps that size.
ListingRect PlaceListing(const ListingPlacement& placement, int screen_width, int screen_height);

inline constexpr int kListingColumns = 8;

// One table line: title, state, start, end, once, file name, arguments, log-on timing and
// start condition.
using ListingRow = std::array<std::string, kListingColumns>;

// The table lines for the rows, in row order; rows whose title begins with "-" are left out.
std::vector<ListingRow> FillListing(const std::vector<LaunchItem>& rows);

// The user locale's ordering of two texts: negative, zero or positive.
using TextComparator = std::function<int(const std::string&, const std::string&)>;

// The table's content and its per-column sort directions for one showing of the listing.
class Listing {
 public:
  explicit Listing(TextComparator compare) : compare_(std::move(compare)) {}

  // Fills the table from the rows and resets every column to sort ascending on its next click.
  void FormShow(const std::vector<LaunchItem>& rows);

  // Flips the column's direction and sorts every line by that column.
  void ListView1ColumnClick(int column);
  int ListView1Compare(const ListingRow& a, const ListingRow& b, int column) const;

  const std::vector<ListingRow>& Rows() const { return rows_; }
  const std::array<int, kListingColumns>& SortDirections() const { return sort_directions_; }

 private:
  TextComparator compare_;
  std::vector<ListingRow> rows_;
  std::array<int, kListingColumns> sort_directions_{-1, -1, -1, -1, -1, -1, -1, -1};
};
