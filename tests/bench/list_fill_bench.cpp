// Times filling the main window's title list, as every list command does, against a bare list
// view of the same kind filled with the same titles, in one run.
//   list_fill_bench ROWS RUNS     prints "list fill, ROWS rows: ... ratio X"
#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editing/win32/item_list_pane.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/controls/list_view.h"
#include "platform/win32/ui_font.h"
#include "settings_window/win32/main_window.h"

namespace {

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

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The floor: the list view alone, without the window around it, filled the same way.
double BareFill(HWND list, const std::vector<LaunchItem>& rows) {
  ListView view(list);
  const double start = NowMs();
  view.SetRedraw(false);
  view.DeleteAllItems();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int index = view.InsertItem(static_cast<int>(i), rows[i].title);
    view.SetCheckState(index, rows[i].enabled);
  }
  view.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
  view.SetRedraw(true);
  const double end = NowMs();
  Pump();
  return end - start;
}

}  // namespace

int main(int argc, char** argv) {
  const int row_count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::vector<LaunchItem> rows(static_cast<size_t>(row_count));
  for (int i = 0; i < row_count; ++i) {
    rows[static_cast<size_t>(i)].title = "Item " + std::to_string(i);
    rows[static_cast<size_t>(i)].enabled = i % 2 == 0;
  }

  MainWindow window(GetModuleHandleA(nullptr));
  ItemListPane pane(window);
  window.SetListPane(&pane);
  window.Create();
  window.Show();
  Pump();

  InitControlClasses();
  OwnedFont font = CreateUiFont(15);
  HWND frame = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 0, 485, 333,
                               nullptr, nullptr, nullptr, nullptr);
  HWND bare = CreateWindowExA(
      WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
      0, 0, 469, 178, frame, nullptr, nullptr, nullptr);
  SendMessageA(bare, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  ListView(bare).SetExtendedListViewStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  ListView(bare).InsertColumn(0, 100);

  std::vector<double> program;
  std::vector<double> floor;
  for (int run = 0; run < runs; ++run) {
    // Each run changes one row, as a command does; every fill shows all rows again.
    rows[static_cast<size_t>(run % row_count)].enabled ^= true;
    const double start = NowMs();
    window.ShowItems(rows);
    program.push_back(NowMs() - start);
    Pump();
    floor.push_back(BareFill(bare, rows));
  }
  std::printf("list fill, %d rows: main window ms", row_count);
  for (double ms : program) std::printf(" %.0f", ms);
  std::printf("; bare list view ms");
  for (double ms : floor) std::printf(" %.0f", ms);
  const double median_program = Median(program);
  const double median_floor = std::max(1.0, Median(floor));
  std::printf("\nlist fill, %d rows: median %.0f ms against %.0f ms, ratio %.2f\n", row_count,
              median_program, Median(floor), median_program / median_floor);
  DestroyWindow(frame);
  SetWindowLongPtrA(window.Handle(), GWLP_USERDATA, 0);
  return 0;
}
