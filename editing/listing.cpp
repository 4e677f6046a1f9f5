#include "editing/listing.h"

#include <algorithm>

#include "editing/condition_fields.h"

namespace {

// Characters [first, first + count) of the text, as many as there are.
std::string Piece(const std::string& text, size_t first, size_t count) {
  if (first >= text.size()) return {};
  return text.substr(first, count);
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

}  // namespace

ListingRect PlaceListing(const ListingPlacement& placement, int screen_width, int screen_height) {
  ListingRect rect;
  rect.width = placement.main_width;
  rect.height = placement.page_height;
  if (placement.centre_on_screen) {
    rect.left = (screen_width - rect.width) / 2;
    rect.top = (screen_height - rect.height) / 2;
  } else {
    rect.left = placement.main_left;
    rect.top = placement.main_top + placement.tool_strip_height + placement.status_bar_height + 4;
  }
  return rect;
}

std::vector<ListingRow> FillListing(const std::vector<LaunchItem>& rows) {
  std::vector<ListingRow> lines;
  for (const LaunchItem& row : rows) {
    if (!row.title.empty() && row.title[0] == '-') continue;
    ListingRow line;
    line[0] = row.title;
    line[1] = row.enabled ? "○" : "×";
    line[2] = Piece(row.band, 0, 2) + ":" + Piece(row.band, 2, 2);
    line[3] = Piece(row.band, 4, 2) + ":" + Piece(row.band, 6, 2);
    line[4] = Piece(row.once, 0, 1) == "0" ? " " : "○";
    line[5] = row.file;
    line[6] = row.args;
    const std::string need = ConditionSummary(row.condition);
    line[7] = TimingSummary(row.timing);
    line[7] += (line[7].empty() || need.empty() ? "" : " ") + need;
    lines.push_back(std::move(line));
  }
  return lines;
}

void Listing::FormShow(const std::vector<LaunchItem>& rows) {
  rows_ = FillListing(rows);
  sort_directions_.fill(-1);
}

void Listing::ListView1ColumnClick(int column) {
  if (column < 0 || column >= kListingColumns) return;
  sort_directions_[static_cast<size_t>(column)] = -sort_directions_[static_cast<size_t>(column)];
  std::stable_sort(rows_.begin(), rows_.end(), [&](const ListingRow& a, const ListingRow& b) {
    return ListView1Compare(a, b, column) < 0;
  });
}

int Listing::ListView1Compare(const ListingRow& a, const ListingRow& b, int column) const {
  const size_t c = static_cast<size_t>(column);
  return Sign(compare_(a[c], b[c])) * sort_directions_[c];
}
