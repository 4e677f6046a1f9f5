#include "editing/listing.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

LaunchItem Item(std::string title, std::string band, std::string once, bool enabled,
                std::string file = "", std::string args = "") {
  LaunchItem row;
  row.title = std::move(title);
  row.band = std::move(band);
  row.once = std::move(once);
  row.enabled = enabled;
  row.file = std::move(file);
  row.args = std::move(args);
  row.state = "0";
  return row;
}

// Stands in for the user locale's case-insensitive ordering; deliberately answers with
// magnitudes other than one.
int CaseInsensitive(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const int x = std::tolower(static_cast<unsigned char>(a[i]));
    const int y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return (x - y) * 5;
  }
  return (static_cast<int>(a.size()) - static_cast<int>(b.size())) * 3;
}

std::vector<std::string> Column(const Listing& listing, int column) {
  std::vector<std::string> cells;
  for (const auto& row : listing.Rows()) cells.push_back(row[static_cast<size_t>(column)]);
  return cells;
}

TEST(FillListing, MakesTheSevenCellsOfEachRow) {
  const auto lines =
      FillListing({Item("メモ帳", "07051830", "112/24", true, "C:\\Windows\\notepad.exe", "a.txt"),
                   Item("Mail", "00002359", "012/24", false, "mail.exe")});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], (ListingRow{"メモ帳", "○", "07:05", "18:30", "○", "C:\\Windows\\notepad.exe",
                                  "a.txt"}));
  EXPECT_EQ(lines[1], (ListingRow{"Mail", "×", "00:00", "23:59", " ", "mail.exe", ""}));
}

TEST(FillListing, ShowsShortFieldsAsTheyCome) {
  const auto lines = FillListing({Item("empty", "", "", true), Item("short", "0705", "2", true),
                                  Item("odd", "123", "0", true)});
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0][2], ":");
  EXPECT_EQ(lines[0][3], ":");
  EXPECT_EQ(lines[0][4], "○");  // an empty once field is not "0"
  EXPECT_EQ(lines[1][2], "07:05");
  EXPECT_EQ(lines[1][3], ":");
  EXPECT_EQ(lines[1][4], "○");
  EXPECT_EQ(lines[2][2], "12:3");
  EXPECT_EQ(lines[2][3], ":");
  EXPECT_EQ(lines[2][4], " ");
}

TEST(FillListing, LeavesOutEveryRowWhoseTitleBeginsWithAHyphen) {
  EXPECT_TRUE(FillListing({}).empty());
  EXPECT_TRUE(FillListing({SeparatorRow(), SeparatorRow()}).empty());
  const auto lines =
      FillListing({Item("-backup", "00002359", "000/00", true), SeparatorRow(),
                   Item("--", "00002359", "000/00", true), Item(" -", "00002359", "000/00", true),
                   Item("", "00002359", "000/00", true)});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0][0], " -");
  EXPECT_EQ(lines[1][0], "");
}

class ListingSort : public ::testing::Test {
 protected:
  ListingSort() : listing(CaseInsensitive) {
    listing.FormShow({Item("beta", "09000000", "000/00", true, "b.exe"),
                      Item("Alpha", "23000000", "100/00", false, "c.exe"), SeparatorRow(),
                      Item("gamma", "07050000", "000/00", true, "A.exe")});
  }
  Listing listing;
};

TEST_F(ListingSort, ShowsItemOrderWithEveryDirectionDescendingUntilClicked) {
  EXPECT_EQ(Column(listing, 0), (std::vector<std::string>{"beta", "Alpha", "gamma"}));
  for (int direction : listing.SortDirections()) EXPECT_EQ(direction, -1);
}

TEST_F(ListingSort, FirstClickSortsAscendingAndTheNextDescending) {
  listing.ListView1ColumnClick(2);  // Start
  EXPECT_EQ(Column(listing, 2), (std::vector<std::string>{"07:05", "09:00", "23:00"}));
  EXPECT_EQ(listing.SortDirections()[2], 1);
  listing.ListView1ColumnClick(2);
  EXPECT_EQ(Column(listing, 2), (std::vector<std::string>{"23:00", "09:00", "07:05"}));
  EXPECT_EQ(listing.SortDirections()[2], -1);

  // Another column keeps its own direction: its first click sorts ascending too.
  listing.ListView1ColumnClick(0);
  EXPECT_EQ(Column(listing, 0), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
  listing.ListView1ColumnClick(2);
  EXPECT_EQ(Column(listing, 2), (std::vector<std::string>{"07:05", "09:00", "23:00"}));
}

TEST_F(ListingSort, SortsWholeLinesByTheShownCellTexts) {
  listing.ListView1ColumnClick(5);  // file names, ignoring case
  EXPECT_EQ(Column(listing, 5), (std::vector<std::string>{"A.exe", "b.exe", "c.exe"}));
  EXPECT_EQ(Column(listing, 0), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
  // "×" sorts before "○" in code page 932; equal cells keep their previous order.
  listing.ListView1ColumnClick(1);
  EXPECT_EQ(Column(listing, 1), (std::vector<std::string>{"×", "○", "○"}));
  EXPECT_EQ(Column(listing, 0), (std::vector<std::string>{"Alpha", "gamma", "beta"}));
}

TEST_F(ListingSort, CompareIsTheOrderingTimesTheColumnsDirection) {
  const ListingRow& a = listing.Rows()[1];          // Alpha
  const ListingRow& b = listing.Rows()[0];          // beta
  EXPECT_EQ(listing.ListView1Compare(a, b, 0), 1);  // descending before any click
  EXPECT_EQ(listing.ListView1Compare(b, a, 0), -1);
  EXPECT_EQ(listing.ListView1Compare(a, a, 0), 0);
  EXPECT_EQ(listing.ListView1Compare(a, b, 2), -1);
  listing.ListView1ColumnClick(2);
  EXPECT_EQ(listing.ListView1Compare(a, b, 2), 1);  // "23:00" after "09:00", ascending
}

TEST_F(ListingSort, ShowingAgainRestoresItemOrderAndDirections) {
  listing.ListView1ColumnClick(0);
  listing.ListView1ColumnClick(99);  // not a column: ignored
  listing.FormShow({Item("z", "", "", true), Item("y", "", "", true)});
  EXPECT_EQ(Column(listing, 0), (std::vector<std::string>{"z", "y"}));
  EXPECT_EQ(listing.SortDirections()[0], -1);
  listing.ListView1ColumnClick(0);
  EXPECT_EQ(Column(listing, 0), (std::vector<std::string>{"y", "z"}));
}

TEST(PlaceListing, LiesOverTheMainWindowsItemArea) {
  const ListingPlacement over{100, 50, 420, 30, 19, 260, false};
  EXPECT_EQ(PlaceListing(over, 1024, 768), (ListingRect{100, 50 + 30 + 19 + 4, 420, 260}));
}

TEST(PlaceListing, CentredKeepsTheSameSize) {
  const ListingPlacement centred{100, 50, 420, 30, 19, 260, true};
  EXPECT_EQ(PlaceListing(centred, 1024, 768), (ListingRect{302, 254, 420, 260}));
}

}  // namespace
