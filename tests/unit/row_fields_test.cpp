#include <gtest/gtest.h>

#include <utility>

#include "items/launch_item.h"
#include "platform/app_error.h"

TEST(RowFields, EachFieldKeepsItsTextAndReadsItsValueOnce) {
  struct Band {
    const char* text;
    bool valid;
    int start, end;
  };
  for (const Band& b :
       {Band{"", false, 0, 0}, Band{"0830090", false, 0, 0}, Band{"08a00900", false, 0, 0},
        Band{"0830090099", true, 830, 900}, Band{"22000200", true, 2200, 200}}) {
    LaunchItem row;
    row.band = b.text;
    EXPECT_EQ(row.band, b.text);
    EXPECT_EQ(row.band->valid, b.valid) << b.text;
    EXPECT_EQ(row.band->CrossesMidnight(), b.start > b.end) << b.text;
    EXPECT_EQ(std::make_pair(row.band->start, row.band->end), std::make_pair(b.start, b.end));
  }
  EXPECT_FALSE(TimeBand::Parse("22000200").Admits("1:00"));  // not a clock
  struct Once {
    const char* text;
    bool on;
    const char* date;
    int flag;
  };
  for (const Once& o :
       {Once{"", false, "", -1}, Once{"1", true, "", 1}, Once{"112/24", true, "12/24", 1},
        Once{"312/24x", false, "12/24", 3}, Once{"x12/24", false, "12/24", -1}}) {
    LaunchItem row;
    row.once = o.text;
    EXPECT_EQ(row.once->on, o.on) << o.text;
    EXPECT_EQ(row.once->date, o.date) << o.text;
    int flag = -1;
    try {
      flag = row.once->flag.Value();
    } catch (const AppError&) {
    }
    EXPECT_EQ(flag, o.flag) << o.text;
  }
  LaunchItem row;
  row.state = " 1";
  EXPECT_EQ(row.state, " 1");
  EXPECT_EQ(ShowCommandOf(row.state), 2);
  row.state = "0xFFFFFFFF";
  EXPECT_EQ(ShowCommandOf(row.state), 0);
  row.state = "max";  // told when the row is launched, not when it is set
  try {
    ShowCommandOf(row.state);
    ADD_FAILURE();
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), "'max' は整数ではありません");
  }
}
