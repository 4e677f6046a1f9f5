#include "logon/win32/history_chart_painter.h"

#include <string>

#include "logon/history_texts.h"

namespace {

HBRUSH Brush(const OwnedGdiObject& object) {
  return static_cast<HBRUSH>(object.Get());
}

}  // namespace

ChartTools ChartTools::Make() {
  ChartTools tools;
  tools.wait.Reset(CreateSolidBrush(RGB(200, 200, 200)));
  tools.run.Reset(CreateSolidBrush(RGB(70, 130, 210)));
  tools.heavy.Reset(CreateSolidBrush(RGB(220, 70, 40)));
  tools.trend.Reset(CreateSolidBrush(RGB(110, 110, 110)));
  tools.picked.Reset(CreateSolidBrush(RGB(255, 240, 170)));
  tools.grid.Reset(CreatePen(PS_SOLID, 1, RGB(225, 225, 225)));
  return tools;
}

void PaintChart(HDC dc, const ChartLayout& layout, const LogOnTimeline& timeline,
                const ChartTools& tools, std::optional<std::size_t> picked) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SetBkMode(dc, TRANSPARENT);
  const HGDIOBJ old_pen = SelectObject(dc, tools.grid.Get());
  for (const ScaleTick& tick : layout.ticks) {
    MoveToEx(dc, tick.x, layout.plot.top, nullptr);
    LineTo(dc, tick.x, layout.plot.bottom);
    RECT text{tick.x - metrics.tmAveCharWidth * 4, layout.plot.bottom,
              tick.x + metrics.tmAveCharWidth * 4, layout.plot.bottom + metrics.tmHeight};
    // The last label stays inside the window, a little left of its tick if need be.
    const int overhang = text.right - (layout.plot.right + metrics.tmAveCharWidth);
    if (overhang > 0) OffsetRect(&text, -overhang, 0);
    DrawTextA(dc, tick.label.c_str(), -1, &text, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old_pen);

  // Titles only where they can be read; a crowded chart is read through the row list.
  const bool titles =
      !layout.bars.empty() &&
      layout.bars.front().label.bottom - layout.bars.front().label.top >= metrics.tmHeight;
  for (const RowBar& bar : layout.bars) {
    if (picked == bar.row) {
      const RECT band{bar.label.left, bar.label.top, layout.plot.right, bar.label.bottom};
      FillRect(dc, &band, Brush(tools.picked));
    }
    if (titles) {
      RECT label = AsRect(bar.label);
      label.right -= metrics.tmAveCharWidth;
      std::string title = timeline.rows[bar.row].title;
      if (bar.marked_heavy) title = texts::kHeavyMark + title;
      DrawTextA(dc, title.c_str(), -1, &label,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    RECT part = AsRect(bar.wait);
    if (!bar.wait.Empty()) FillRect(dc, &part, Brush(tools.wait));
    part = AsRect(bar.run);
    if (bar.run.Empty()) continue;
    // Never seen ready: only its outline, open to the right.
    if (bar.ready)
      FillRect(dc, &part, Brush(tools.run));
    else
      FrameRect(dc, &part, Brush(tools.run));
    part = AsRect(bar.heavy);
    if (!bar.heavy.Empty()) FillRect(dc, &part, Brush(tools.heavy));
  }
}

void PaintTrend(HDC dc, const std::vector<ChartRect>& bars, const ChartTools& tools) {
  for (const ChartRect& bar : bars) {
    const RECT rect = AsRect(bar);
    FillRect(dc, &rect, Brush(tools.trend));
  }
}
