#include "logon/logon_chart.h"

#include <gtest/gtest.h>

namespace {

TEST(LogOnChart, BarsFollowTheTimelineOnTheSecondsScale) {
  // 10 s over a 200-pixel plot: 20 pixels a second.
  LogOnTimeline timeline{"2026/12/01 08:00:00", 10000, {}};
  timeline.rows = {{"Waited", 1000, 3000, 5000, 1500, "VPN"},
                   {"Never ready", 0, 0, kNever, 0, ""},
                   {"Dropped", 2000, kNever, kNever, kNever, ""}};
  const ChartLayout layout = LayOutChart(timeline, {0, 0, 300, 100}, {100, 20, 16, 30});
  EXPECT_EQ(layout.plot, (ChartRect{100, 0, 300, 84}));
  ASSERT_EQ(layout.bars.size(), 3u);
  EXPECT_EQ(layout.bars[0].wait, (ChartRect{120, 3, 160, 17}));
  EXPECT_EQ(layout.bars[0].run, (ChartRect{160, 3, 200, 17}));
  EXPECT_EQ(layout.bars[0].heavy, (ChartRect{160, 6, 190, 14}));
  EXPECT_TRUE(layout.bars[0].marked_heavy && layout.bars[0].ready);
  EXPECT_EQ(layout.bars[1].run.right, 300);
  EXPECT_FALSE(layout.bars[1].ready || layout.bars[1].marked_heavy);
  EXPECT_TRUE(layout.bars[1].heavy.Empty());
  EXPECT_TRUE(layout.bars[2].run.Empty());
  EXPECT_EQ(layout.bars[2].wait, (ChartRect{140, 43, 300, 57}));
  // Ticks at least 30 pixels apart: every 2 s.
  ASSERT_EQ(layout.ticks.size(), 6u);
  EXPECT_EQ(layout.ticks[1].x, 140);
  EXPECT_EQ(layout.ticks[5].label, "10秒");
  // Many rows share the height, down to a pixel each, and never spill out.
  timeline.rows.resize(500, timeline.rows[0]);
  const ChartLayout crowded = LayOutChart(timeline, {0, 0, 300, 100}, {100, 20, 16, 30});
  EXPECT_EQ(crowded.bars.size(), 84u);
  EXPECT_EQ(crowded.bars.back().run.bottom, 84);
}

TEST(LogOnChart, TheHeaviestRowsAreMarkedAndTheTrendScalesToTheLongest) {
  LogOnTimeline timeline;
  for (const std::int64_t ms :
       std::initializer_list<std::int64_t>{999, 4000, 1000, kNever, 2500, 1000, 9000})
    timeline.rows.push_back({"x", 0, 0, 0, ms, ""});
  EXPECT_EQ(HeavyRows(timeline), (std::vector<std::size_t>{6, 1, 4}));
  // Ready the moment it started.
  EXPECT_TRUE(LayOutChart(timeline, {0, 0, 300, 200}, {}).bars[0].ready);
  const std::string figures = RowFigures(timeline.rows[6], true);
  EXPECT_NE(figures.find("最初の1分のﾌﾟﾛｾｯｻ時間: 9.0秒"), std::string::npos);
  EXPECT_NE(figures.find("ｱｲﾄﾞﾙ時に起動"), std::string::npos);
  EXPECT_EQ(RowFigures(timeline.rows[3], false).find("ｱｲﾄﾞﾙ"), std::string::npos);
  const auto trend = LayOutTrend({{"", 2000, {}}, {"", 8000, {}}, {"", 0, {}}}, {0, 0, 300, 40});
  EXPECT_EQ(trend, (std::vector<ChartRect>{{0, 30, 8, 40}, {10, 0, 18, 40}, {20, 39, 28, 40}}));
  EXPECT_TRUE(LayOutTrend({{"", 2000, {}}}, {0, 0, 300, 0}).empty());
}

}  // namespace
