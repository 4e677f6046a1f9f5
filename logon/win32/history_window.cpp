#include "logon/win32/history_window.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "logon/history_texts.h"
#include "platform/text_format.h"
#include "platform/win32/child_control.h"
#include "platform/win32/dpi.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"

namespace {

constexpr char kClassName[] = "TLogOnHistory";

// The layout at 96 dpi; the chart takes whatever height the other parts leave it.
constexpr int kClientWidth = 600;
constexpr int kClientHeight = 460;
constexpr int kMargin = 8;
constexpr int kFontPixels = 12;
constexpr int kHeaderHeight = 18;
constexpr int kTrendLabelHeight = 16;
constexpr int kTrendHeight = 32;
constexpr int kBottomHeight = 118;
constexpr int kListWidth = 220;
constexpr ChartMetrics kChartMetrics{130, 18, 18, 44};

ChartRect AsChartRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void LogOnHistoryWindow::Show(HWND owner, std::vector<LogOnTimeline> history) {
  if (!Handle()) CreateWindowAndControls(owner);
  history_ = std::move(history);
  heavy_ = Last() ? HeavyRows(*Last()) : std::vector<std::size_t>{};
  rows_.ResetContent();
  if (const LogOnTimeline* last = Last()) {
    for (std::size_t i = 0; i < last->rows.size(); ++i) {
      const bool heavy = std::find(heavy_.begin(), heavy_.end(), i) != heavy_.end();
      rows_.AddString(((heavy ? texts::kHeavyMark : "") + last->rows[i].title).c_str());
    }
  }
  EnableWindow(rows_.Handle(), Last() && !Last()->rows.empty());
  Pick(Last() && !Last()->rows.empty() ? std::optional<std::size_t>(0) : std::nullopt);
  Layout();
  ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Handle());
  // Without rows the list is disabled, and the window itself takes the keys (F1, Escape).
  SetFocus(IsWindowEnabled(rows_.Handle()) ? rows_.Handle() : Handle());
}

void LogOnHistoryWindow::CreateWindowAndControls(HWND owner) {
  Create(instance_, {kClassName, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)}, 0,
         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, texts::kHistoryCaption, CW_USEDEFAULT,
         CW_USEDEFAULT, owner);
  tools_ = ChartTools::Make();
  dpi_ = WindowDpi(Handle());
  font_ = CreateUiFont(Scale(kFontPixels, dpi_));
  rows_ = ListBox(
      CreateChildControl(Handle(), instance_, font_.Get(), "LISTBOX", "",
                         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                         WS_EX_CLIENTEDGE, IDC_HISTORY_ROWS));
  figures_ = CreateChildControl(Handle(), instance_, font_.Get(), "EDIT", "",
                                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                                WS_EX_CLIENTEDGE, IDC_HISTORY_FIGURES);
  SetClientSize(Handle(), Scale(kClientWidth, dpi_), Scale(kClientHeight, dpi_), dpi_);
  // Over the middle of the main window, where the user just pressed the button.
  RECT owner_frame{};
  RECT frame{};
  GetWindowRect(owner, &owner_frame);
  GetWindowRect(Handle(), &frame);
  SetWindowPos(
      Handle(), nullptr,
      std::max(0L, (owner_frame.left + owner_frame.right - (frame.right - frame.left)) / 2),
      std::max(0L, (owner_frame.top + owner_frame.bottom - (frame.bottom - frame.top)) / 2), 0, 0,
      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LogOnHistoryWindow::ApplyDpi(int dpi) {
  dpi_ = dpi;
  font_ = CreateUiFont(Scale(kFontPixels, dpi_));
  UseFont(rows_.Handle(), font_.Get());
  UseFont(figures_, font_.Get());
  Layout();
}

void LogOnHistoryWindow::Layout() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const DpiScale px{dpi_};
  const int left = px(kMargin);
  const int right = std::max<int>(left, client.right - px(kMargin));
  const int bottom = std::max<int>(px(kMargin), client.bottom - px(kMargin));
  const int bottom_top = std::max(0, bottom - px(kBottomHeight));
  MoveWindow(rows_.Handle(), left, bottom_top, std::min(px(kListWidth), right - left),
             bottom - bottom_top, TRUE);
  const int figures_left = std::min(right, left + px(kListWidth + kMargin));
  MoveWindow(figures_, figures_left, bottom_top, right - figures_left, bottom - bottom_top, TRUE);

  header_ = {left, px(kMargin), right, px(kMargin + kHeaderHeight)};
  const int trend_top = std::max<int>(header_.bottom, bottom_top - px(kMargin + kTrendHeight));
  trend_label_ = {left, std::max<int>(header_.bottom, trend_top - px(kTrendLabelHeight)), right,
                  trend_top};
  chart_area_ = {left, header_.bottom + px(4), right,
                 std::max<int>(header_.bottom + px(4), trend_label_.top - px(kMargin))};
  const ChartMetrics metrics{px(kChartMetrics.label_width), px(kChartMetrics.row_height),
                             px(kChartMetrics.scale_height), px(kChartMetrics.least_tick_gap)};
  chart_ = Last() ? LayOutChart(*Last(), AsChartRect(chart_area_), metrics) : ChartLayout{};
  trend_ = LayOutTrend(history_, {left, trend_top, right, bottom_top - px(kMargin)});
  InvalidateRect(Handle(), nullptr, TRUE);
}

void LogOnHistoryWindow::Paint() {
  PAINTSTRUCT paint;
  const HDC window_dc = BeginPaint(Handle(), &paint);
  RECT client{};
  GetClientRect(Handle(), &client);
  // Drawn off screen and shown in one step, so that a resize does not flicker.
  OwnedMemoryDc dc(CreateCompatibleDC(window_dc));
  OwnedBitmap bitmap(CreateCompatibleBitmap(window_dc, std::max<int>(client.right, 1),
                                            std::max<int>(client.bottom, 1)));
  const HGDIOBJ old_bitmap = SelectObject(dc.Get(), bitmap.Get());
  const HGDIOBJ old_font = SelectObject(dc.Get(), font_.Get());
  FillRect(dc.Get(), &client, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc.Get(), TRANSPARENT);
  SetTextColor(dc.Get(), GetSysColor(COLOR_WINDOWTEXT));
  if (const LogOnTimeline* last = Last()) {
    const std::string header =
        FormatText(texts::kHistoryLastLogOn, last->began) + "  " + SecondsText(last->total_ms);
    DrawTextA(dc.Get(), header.c_str(), -1, &header_, DT_SINGLELINE | DT_NOPREFIX);
    PaintChart(dc.Get(), chart_, *last, tools_, picked_);
    const std::string trend = FormatText(texts::kHistoryTrend, std::to_string(history_.size()));
    DrawTextA(dc.Get(), trend.c_str(), -1, &trend_label_, DT_SINGLELINE | DT_NOPREFIX);
    PaintTrend(dc.Get(), trend_, tools_);
  } else {
    DrawTextA(dc.Get(), texts::kHistoryEmpty, -1, &chart_area_, DT_WORDBREAK | DT_NOPREFIX);
  }
  BitBlt(window_dc, 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
  SelectObject(dc.Get(), old_font);
  SelectObject(dc.Get(), old_bitmap);
  EndPaint(Handle(), &paint);
}

void LogOnHistoryWindow::Pick(std::optional<std::size_t> row) {
  picked_ = row;
  const LogOnTimeline* last = Last();
  if (!last || !row || *row >= last->rows.size()) {
    picked_.reset();
    SetWindowTextA(figures_, "");
  } else {
    rows_.SetCurSel(static_cast<int>(*row));
    const bool heavy = std::find(heavy_.begin(), heavy_.end(), *row) != heavy_.end();
    SetWindowTextA(figures_, RowFigures(last->rows[*row], heavy).c_str());
  }
  InvalidateRect(Handle(), &chart_area_, FALSE);
}

void LogOnHistoryWindow::PickAt(POINT point) {
  for (const RowBar& bar : chart_.bars) {
    if (point.y >= bar.label.top && point.y < bar.label.bottom && point.x >= bar.label.left &&
        point.x < chart_.plot.right) {
      Pick(bar.row);
      SetFocus(rows_.Handle());
      return;
    }
  }
}

bool LogOnHistoryWindow::PreTranslateMessage(MSG& message) {
  const HWND window = Handle();
  if (!window || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
  return IsDialogMessageA(window, &message);
}

bool LogOnHistoryWindow::OnCommand(int id, int code, HWND) {
  // Escape, from the list, the figures or the window itself.
  if (id == IDCANCEL) {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
    return true;
  }
  if (id != IDC_HISTORY_ROWS || code != LBN_SELCHANGE) return false;
  const int selected = rows_.GetCurSel();
  Pick(selected >= 0 ? std::optional<std::size_t>(selected) : std::nullopt);
  return true;
}

void LogOnHistoryWindow::OnSize(int, int) {
  Layout();
}

void LogOnHistoryWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  WindowBase::OnDpiChanged(dpi, suggested);
  ApplyDpi(dpi);
}

std::optional<LRESULT> LogOnHistoryWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_LBUTTONDOWN:
      PickAt({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    default:
      break;
  }
  // Tab out of the figures, and the focus kept while another window is in front.
  return navigation_.Answer(Handle(), message, wparam, lparam);
}
