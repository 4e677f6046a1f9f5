#include "logon/logon_chart.h"

#include <algorithm>
#include <array>

#include "logon/history_texts.h"
#include "logon/logon_history.h"

namespace {

// Where a time falls on the plot, from its left edge to its right at the span.
int TimeX(const ChartRect& plot, std::int64_t ms, std::int64_t span_ms) {
  const std::int64_t clamped = std::clamp<std::int64_t>(ms, 0, span_ms);
  return plot.left + static_cast<int>(clamped * (plot.right - plot.left) / span_ms);
}

std::int64_t SpanOf(const LogOnTimeline& timeline) {
  std::int64_t span = std::max<std::int64_t>(timeline.total_ms, 1000);
  for (const RowTimeline& row : timeline.rows)
    span = std::max({span, row.due_ms, row.started_ms, row.ready_ms});
  return span;
}

// The least step in seconds whose ticks stand at least the gap apart.
std::int64_t TickStepMs(std::int64_t span_ms, int width, int least_gap) {
  static constexpr std::array<std::int64_t, 12> kSteps = {1,  2,   5,   10,  15,   30,
                                                          60, 120, 300, 600, 1800, 3600};
  for (const std::int64_t step : kSteps) {
    const std::int64_t ticks = span_ms / (step * 1000);
    if (ticks == 0 || width / std::max<std::int64_t>(ticks, 1) >= least_gap) return step * 1000;
  }
  return kSteps.back() * 1000;
}

}  // namespace

ChartLayout LayOutChart(const LogOnTimeline& timeline, ChartRect area,
                        const ChartMetrics& metrics) {
  ChartLayout layout;
  layout.span_ms = SpanOf(timeline);
  const int label_width = std::min(metrics.label_width, (area.right - area.left) / 3);
  layout.plot = {area.left + label_width, area.top, area.right,
                 std::max(area.top, area.bottom - metrics.scale_height)};
  const ChartRect& plot = layout.plot;
  if (plot.Empty()) return layout;

  const std::int64_t step =
      TickStepMs(layout.span_ms, plot.right - plot.left, std::max(metrics.least_tick_gap, 1));
  for (std::int64_t at = 0; at <= layout.span_ms; at += step)
    layout.ticks.push_back(
        {TimeX(plot, at, layout.span_ms), std::to_string(at / 1000) + texts::kSecondsUnit});

  const std::vector<std::size_t> heavy = HeavyRows(timeline);
  const int rows = static_cast<int>(std::min<std::size_t>(timeline.rows.size(), 100000));
  if (rows == 0) return layout;
  const int row_height = std::max(1, std::min(metrics.row_height, (plot.bottom - plot.top) / rows));
  // A gap between bars once they are tall enough to keep one.
  const int gap = row_height >= 6 ? row_height / 6 : 0;
  for (int i = 0; i < rows; ++i) {
    const int top = plot.top + i * row_height;
    if (top + row_height > plot.bottom) break;
    const RowTimeline& row = timeline.rows[static_cast<std::size_t>(i)];
    RowBar bar;
    bar.row = static_cast<std::size_t>(i);
    bar.label = {area.left, top, plot.left, top + row_height};
    const int bar_top = top + gap;
    const int bar_bottom = top + row_height - gap;
    const int due = TimeX(plot, row.due_ms, layout.span_ms);
    if (row.started_ms >= 0) {
      const int started = TimeX(plot, row.started_ms, layout.span_ms);
      bar.wait = {due, bar_top, started, bar_bottom};
      bar.ready = row.ready_ms >= 0;
      const int ready = bar.ready ? TimeX(plot, row.ready_ms, layout.span_ms) : plot.right;
      // A row ready at once still shows as a sliver.
      bar.run = {started, bar_top, std::max(ready, started + 1), bar_bottom};
      if (row.processor_ms > 0) {
        const int heavy_right = TimeX(plot, row.started_ms + row.processor_ms, layout.span_ms);
        const int inset = (bar_bottom - bar_top) / 4;
        bar.heavy = {started, bar_top + inset, std::max(heavy_right, started + 1),
                     bar_bottom - inset};
      }
    } else {
      bar.wait = {due, bar_top, plot.right, bar_bottom};
    }
    bar.marked_heavy = std::find(heavy.begin(), heavy.end(), bar.row) != heavy.end();
    layout.bars.push_back(bar);
  }
  return layout;
}

std::vector<ChartRect> LayOutTrend(const std::vector<LogOnTimeline>& history, ChartRect area) {
  std::vector<ChartRect> bars;
  if (history.empty() || area.Empty()) return bars;
  std::int64_t longest = 1;
  for (const LogOnTimeline& timeline : history) longest = std::max(longest, timeline.total_ms);
  const int count = static_cast<int>(history.size());
  // A place for each log-on the history keeps, so that a bar keeps its width as they come.
  const int pitch = (area.right - area.left) / std::max(count, static_cast<int>(kHistoryLogOns));
  const int gap = pitch >= 4 ? pitch / 4 : 0;
  const int height = area.bottom - area.top;
  for (int i = 0; i < count; ++i) {
    const std::int64_t total =
        std::max<std::int64_t>(history[static_cast<std::size_t>(i)].total_ms, 0);
    // Even the shortest log-on keeps a pixel, so that every log-on can be counted.
    const int tall = std::max(1, static_cast<int>(total * height / longest));
    const int left = area.left + i * pitch;
    bars.push_back({left, area.bottom - tall, left + std::max(pitch - gap, 1), area.bottom});
  }
  return bars;
}

std::vector<std::size_t> HeavyRows(const LogOnTimeline& timeline) {
  std::vector<std::size_t> heavy;
  for (std::size_t i = 0; i < timeline.rows.size(); ++i)
    if (timeline.rows[i].processor_ms >= kHeavyProcessorMs) heavy.push_back(i);
  // The heaviest first; equal ones in list order.
  std::stable_sort(heavy.begin(), heavy.end(), [&](std::size_t a, std::size_t b) {
    return timeline.rows[a].processor_ms > timeline.rows[b].processor_ms;
  });
  if (heavy.size() > kMostHeavyRows) heavy.resize(kMostHeavyRows);
  return heavy;
}

std::string SecondsText(std::int64_t ms) {
  const std::int64_t tenths = (std::max<std::int64_t>(ms, 0) + 50) / 100;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + texts::kSecondsUnit;
}

std::string RowFigures(const RowTimeline& row, bool heavy) {
  const auto time = [](std::int64_t ms, const char* otherwise) {
    return ms >= 0 ? SecondsText(ms) : std::string(otherwise);
  };
  std::string text = row.title + "\r\n";
  text += texts::kFigureDue + SecondsText(row.due_ms) + "\r\n";
  text += texts::kFigureStarted + time(row.started_ms, texts::kNotStarted) + "\r\n";
  if (row.started_ms >= 0) {
    text += texts::kFigureReady + time(row.ready_ms, texts::kNotReady) + "\r\n";
    text += texts::kFigureProcessor + time(row.processor_ms, texts::kNotMeasured) + "\r\n";
  }
  text +=
      texts::kFigureWaited + (row.waited_for.empty() ? texts::kWaitedForNothing : row.waited_for);
  if (heavy) text += std::string("\r\n") + texts::kHeavySuggestion;
  return text;
}
