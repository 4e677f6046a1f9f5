#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "logon/logon_chart.h"
#include "platform/win32/owned_handle.h"

// The brushes and pen the chart draws with, made once per window.
struct ChartTools {
  OwnedGdiObject wait;   // due to start: waiting
  OwnedGdiObject run;    // start to ready
  OwnedGdiObject heavy;  // processor time
  OwnedGdiObject trend;
  OwnedGdiObject picked;
  OwnedGdiObject grid;  // a pen

  static ChartTools Make();
};

inline RECT AsRect(const ChartRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// The bars, the seconds scale and the titles (where a row is tall enough for its text) of one
// log-on, in the font selected into `dc`.
void PaintChart(HDC dc, const ChartLayout& layout, const LogOnTimeline& timeline,
                const ChartTools& tools, std::optional<std::size_t> picked);
void PaintTrend(HDC dc, const std::vector<ChartRect>& bars, const ChartTools& tools);
