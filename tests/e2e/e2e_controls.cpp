#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "e2e_internal.h"

namespace e2e {

// ---- Controls ----

bool IsChecked(HWND button) {
  return SendOrZero(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool SetText(HWND control, const std::string& text) {
  LRESULT result = 0;
  return SendTimed(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result) &&
         result;
}

std::vector<HWND> ToolBars(HWND main_window) {
  std::vector<HWND> bars = FindControls(main_window, TOOLBARCLASSNAMEA);
  std::sort(bars.begin(), bars.end(),
            [](HWND a, HWND b) { return WindowRect(a).top < WindowRect(b).top; });
  // Bars whose tops fall within the first bar of a row share that row; order rows by left.
  std::vector<HWND> ordered;
  size_t row_start = 0;
  for (size_t i = 0; i <= bars.size(); ++i) {
    if (i == bars.size() || WindowRect(bars[i]).top >= WindowRect(bars[row_start]).bottom) {
      std::sort(bars.begin() + static_cast<long>(row_start), bars.begin() + static_cast<long>(i),
                [](HWND a, HWND b) { return WindowRect(a).left < WindowRect(b).left; });
      ordered.insert(ordered.end(), bars.begin() + static_cast<long>(row_start),
                     bars.begin() + static_cast<long>(i));
      row_start = i;
    }
  }
  return ordered;
}

std::vector<ToolButton> ReadToolBar(HWND tool_bar) {
  std::vector<ToolButton> buttons;
  const int count = static_cast<int>(SendOrZero(tool_bar, TB_BUTTONCOUNT, 0, 0));
  constexpr size_t kTextOffset = sizeof(TBBUTTON);
  constexpr size_t kTextSize = 512;
  RemoteBlock block(tool_bar, kTextOffset + kTextSize);
  if (!block.ok()) return buttons;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    block.Write(0, &button, sizeof button);
    if (!SendOrZero(tool_bar, TB_GETBUTTON, static_cast<WPARAM>(i), block.param())) continue;
    block.Read(0, &button, sizeof button);
    if (button.fsStyle & BTNS_SEP) continue;
    ToolButton tool;
    tool.id = button.idCommand;
    tool.enabled = (button.fsState & TBSTATE_ENABLED) != 0;
    std::string zero(kTextSize, '\0');
    block.Write(kTextOffset, zero.data(), kTextSize);
    LRESULT length = SendOrZero(tool_bar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand),
                                block.param(kTextOffset));
    if (length > 0) tool.caption = block.ReadText(kTextOffset, kTextSize);
    buttons.push_back(tool);
  }
  return buttons;
}

std::vector<ToolButton> ReadAllToolButtons(HWND main_window) {
  std::vector<ToolButton> all;
  for (HWND bar : ToolBars(main_window)) {
    auto buttons = ReadToolBar(bar);
    all.insert(all.end(), buttons.begin(), buttons.end());
  }
  return all;
}

std::string StatusText(HWND status_bar, int part) {
  const LRESULT length = SendOrZero(status_bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0);
  constexpr size_t kSize = 1024;
  RemoteBlock block(status_bar, kSize);
  if (!block.ok()) return {};
  std::string zero(kSize, '\0');
  block.Write(0, zero.data(), kSize);
  LRESULT answer = 0;
  if (!SendTimed(status_bar, SB_GETTEXTA, static_cast<WPARAM>(part), block.param(), &answer))
    return {};
  if (!(HIWORD(length) & SBT_OWNERDRAW)) return block.ReadText(0, kSize);
  // An owner-drawn part keeps no text, only the value its owner draws from; the natural value
  // is the address of the text itself, which we read from the program's memory.
  if (answer == 0) {
    Log("status part " + std::to_string(part) + " is owner-drawn and carries no text");
    return {};
  }
  DWORD pid = ProcessOf(status_bar);
  HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, pid);
  if (!process) return {};
  // Small steps, so that a text near the end of a mapped page still reads.
  std::string text;
  const char* address = reinterpret_cast<const char*>(answer);
  for (size_t offset = 0, step = 16; offset < kSize; offset += step) {
    char chunk[16] = {};
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, address + offset, chunk, step, &read)) {
      if (step == 1) break;
      step = 1;  // the end of a mapped page: go on byte by byte
      offset -= step;
      continue;
    }
    const size_t used = strnlen(chunk, read);
    text.append(chunk, used);
    if (used < step) break;
  }
  CloseHandle(process);
  return text;
}

std::string Describe(const ListRow& row) {
  return "{" + Describe(row.title) + ", " +
         (row.state_image == 2   ? "checked"
          : row.state_image == 1 ? "unchecked"
                                 : "state image " + std::to_string(row.state_image)) +
         "}";
}

ListRow Row(const std::string& title, bool checked) {
  return ListRow{title, checked ? 2 : 1};
}

int ListCount(HWND list) {
  return static_cast<int>(SendOrZero(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListText(HWND list, int row, int column) {
  constexpr size_t kTextOffset = sizeof(LVITEMA);
  constexpr size_t kTextSize = 4096;
  RemoteBlock block(list, kTextOffset + kTextSize);
  if (!block.ok()) return {};
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = block.at(kTextOffset);
  item.cchTextMax = static_cast<int>(kTextSize);
  std::string zero(kTextSize, '\0');
  block.Write(kTextOffset, zero.data(), kTextSize);
  block.Write(0, &item, sizeof item);
  SendOrZero(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), block.param());
  return block.ReadText(kTextOffset, kTextSize);
}

int ListStateImage(HWND list, int row) {
  LRESULT state = SendOrZero(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

std::vector<ListRow> ReadList(HWND list) {
  std::vector<ListRow> rows;
  const int count = ListCount(list);
  for (int i = 0; i < count; ++i) rows.push_back({ListText(list, i), ListStateImage(list, i)});
  return rows;
}

int ListSelection(HWND list) {
  return static_cast<int>(
      SendOrZero(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

namespace {
bool SetListState(HWND list, int row, UINT state, UINT mask) {
  RemoteBlock block(list, sizeof(LVITEMA));
  if (!block.ok()) return false;
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  block.Write(0, &item, sizeof item);
  return SendOrZero(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), block.param()) != 0;
}
}  // namespace

bool SelectListRow(HWND list, int row) {
  return SetListState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool SetListChecked(HWND list, int row, bool checked) {
  return SetListState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

namespace {
// Messages that fill a RECT (client coordinates of the control) through a remote buffer.
bool RemoteItemRect(HWND control, UINT message, int index, RECT* rect) {
  RemoteBlock block(control, sizeof(RECT));
  if (!block.ok()) return false;
  if (!SendOrZero(control, message, static_cast<WPARAM>(index), block.param())) return false;
  RECT r{};
  if (!block.Read(0, &r, sizeof r)) return false;
  *rect = r;
  return true;
}
}  // namespace

std::vector<std::string> HeaderTexts(HWND header) {
  std::vector<std::string> texts;
  constexpr size_t kTextOffset = sizeof(HDITEMA);
  constexpr size_t kTextSize = 512;
  RemoteBlock block(header, kTextOffset + kTextSize);
  if (!block.ok()) return texts;
  const int count = static_cast<int>(SendOrZero(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = block.at(kTextOffset);
    item.cchTextMax = static_cast<int>(kTextSize);
    std::string zero(kTextSize, '\0');
    block.Write(kTextOffset, zero.data(), kTextSize);
    block.Write(0, &item, sizeof item);
    SendOrZero(header, HDM_GETITEMA, static_cast<WPARAM>(i), block.param());
    texts.push_back(block.ReadText(kTextOffset, kTextSize));
  }
  return texts;
}

bool HeaderItemRect(HWND header, int index, RECT* rect) {
  return RemoteItemRect(header, HDM_GETITEMRECT, index, rect);
}

bool TabItemRect(HWND tab, int index, RECT* rect) {
  return RemoteItemRect(tab, TCM_GETITEMRECT, index, rect);
}

void PostClick(HWND control, POINT client_point) {
  const LPARAM at = MAKELPARAM(client_point.x, client_point.y);
  PostMessageA(control, WM_MOUSEMOVE, 0, at);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

}  // namespace e2e
