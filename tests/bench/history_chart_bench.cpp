// Times drawing the log-on history's chart and trend, as the history window paints them, against
// a bare GDI loop that fills the same rectangles with the same brushes, in one run.
//   history_chart_bench ROWS LOGONS RUNS   prints "history chart, ...: ... ratio X"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "logon/logon_chart.h"
#include "logon/win32/history_chart_painter.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/ui_font.h"

namespace {

constexpr int kRepeats = 200;  // drawings per timed run, so that a run lasts long enough to time
constexpr ChartRect kChartArea{8, 30, 592, 270};
constexpr ChartRect kTrendArea{8, 298, 592, 330};

double NowMs() {
  LARGE_INTEGER counter{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Fill(HDC dc, const ChartRect& r, const OwnedGdiObject& brush) {
  const RECT rect = AsRect(r);
  FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
}

}  // namespace

int main(int argc, char** argv) {
  const int row_count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  const int log_ons = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  std::vector<LogOnTimeline> history(static_cast<size_t>(log_ons));
  for (int l = 0; l < log_ons; ++l) {
    LogOnTimeline& timeline = history[static_cast<size_t>(l)];
    timeline.total_ms = 20000 + l * 500;
    for (int i = 0; i < row_count; ++i)
      timeline.rows.push_back({"Item " + std::to_string(i), i * 100, i * 150, i * 150 + 3000,
                               (i % 7) * 400, i % 3 ? "" : "C:\\Net"});
  }
  const ChartMetrics metrics{130, 18, 18, 44};

  const HDC screen = GetDC(nullptr);
  OwnedMemoryDc dc(CreateCompatibleDC(screen));
  OwnedBitmap bitmap(CreateCompatibleBitmap(screen, 600, 460));
  ReleaseDC(nullptr, screen);
  SelectObject(dc.Get(), bitmap.Get());
  OwnedFont font = CreateUiFont(12);
  SelectObject(dc.Get(), font.Get());
  const ChartTools tools = ChartTools::Make();
  const RECT whole{0, 0, 600, 460};

  // The floor's rectangles, worked out once: only the drawing is timed there.
  const ChartLayout fixed = LayOutChart(history.back(), kChartArea, metrics);
  const std::vector<ChartRect> fixed_trend = LayOutTrend(history, kTrendArea);
  std::vector<double> program;
  std::vector<double> floor;
  for (int run = 0; run < runs; ++run) {
    double start = NowMs();
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
      FillRect(dc.Get(), &whole, GetSysColorBrush(COLOR_WINDOW));
      const ChartLayout layout = LayOutChart(history.back(), kChartArea, metrics);
      PaintChart(dc.Get(), layout, history.back(), tools, 0);
      PaintTrend(dc.Get(), LayOutTrend(history, kTrendArea), tools);
    }
    GdiFlush();
    program.push_back(NowMs() - start);
    start = NowMs();
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
      FillRect(dc.Get(), &whole, GetSysColorBrush(COLOR_WINDOW));
      for (const RowBar& bar : fixed.bars) {
        Fill(dc.Get(), bar.wait, tools.wait);
        Fill(dc.Get(), bar.run, tools.run);
        Fill(dc.Get(), bar.heavy, tools.heavy);
      }
      for (const ChartRect& bar : fixed_trend) Fill(dc.Get(), bar, tools.trend);
    }
    GdiFlush();
    floor.push_back(NowMs() - start);
  }
  std::printf("history chart, %d rows x %d log-ons, %d drawings: chart ms", row_count, log_ons,
              kRepeats);
  for (double ms : program) std::printf(" %.0f", ms);
  std::printf("; bare GDI loop ms");
  for (double ms : floor) std::printf(" %.0f", ms);
  const double median_program = Median(program);
  const double median_floor = std::max(0.001, Median(floor));
  std::printf(
      "\nhistory chart, %d rows x %d log-ons: median %.1f ms against %.1f ms a drawing, "
      "ratio %.2f\n",
      row_count, log_ons, median_program / kRepeats, median_floor / kRepeats,
      median_program / median_floor);
  return 0;
}
