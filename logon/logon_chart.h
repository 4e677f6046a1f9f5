#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logon/logon_timeline.h"

// What the log-on history window draws, worked out from a timeline and the room it has, so that
// what it shows is known without drawing.

struct ChartRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const ChartRect&) const = default;
};

// One row's bar: the wait from due to start, the run from start to ready (to the chart's end
// when it never became ready), and inside the run its processor time on the same scale.
struct RowBar {
  std::size_t row = 0;
  ChartRect label;  // where its title goes
  ChartRect wait;   // empty when it started when due, or never started
  ChartRect run;    // empty when it never started
  ChartRect heavy;  // empty without processor time
  bool ready = false;
  bool marked_heavy = false;
};

struct ScaleTick {
  int x = 0;
  std::string label;  // "5秒"
};

struct ChartLayout {
  ChartRect plot;  // the bars' area, right of the labels
  std::int64_t span_ms = 0;
  std::vector<RowBar> bars;
  std::vector<ScaleTick> ticks;
};

// The sizes the chart is drawn with, already scaled to the window's DPI.
struct ChartMetrics {
  int label_width = 120;
  int row_height = 16;      // at most; rows get thinner (down to a pixel) to fit
  int scale_height = 16;    // the seconds scale under the bars
  int least_tick_gap = 40;  // between two labelled ticks
};

ChartLayout LayOutChart(const LogOnTimeline& timeline, ChartRect area, const ChartMetrics& metrics);

// The log-on times of the last log-ons, oldest left, as bars standing on the area's bottom.
std::vector<ChartRect> LayOutTrend(const std::vector<LogOnTimeline>& history, ChartRect area);

// The rows that weighed most on the machine: up to kMostHeavyRows rows with at least
// kHeavyProcessorMs of processor time in their first minute, the heaviest first.
inline constexpr std::size_t kMostHeavyRows = 3;
inline constexpr std::int64_t kHeavyProcessorMs = 1000;
std::vector<std::size_t> HeavyRows(const LogOnTimeline& timeline);

// The figures of one row as the window lists them, one per line, with the suggestion for a
// heavy row.
std::string RowFigures(const RowTimeline& row, bool heavy);
// "12.3秒"
std::string SecondsText(std::int64_t ms);
