#include "editing/win32/listing_dialog.h"

#include <commctrl.h>

#include <string>

#include "core/win32/app_error_box.h"
#include "platform/win32/controls/list_view.h"
#include "platform/win32/dpi.h"
#include "platform/win32/keep_on_screen.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"

namespace {

struct ListingColumn {
  const char* header;
  int width;
};

// "1回" needs more than 32 pixels with the header's padding; the file name column, which cuts
// its paths anyway, gives the room.
constexpr ListingColumn kColumns[kListingColumns] = {
    {"ﾀｲﾄﾙ", 120}, {"状態", 40},    {"Start", 44}, {"End", 44},
    {"1回", 40},   {"ﾌｧｲﾙ名", 112}, {"引数", 52},  {"起動条件", 100},
};

constexpr int kListFontPixels = 13;

class ListingDialog : public ModalDialog {
 public:
  ListingDialog(HINSTANCE instance, const std::vector<LaunchItem>& rows,
                const ListingPlacement& placement)
      : ModalDialog(instance, ShowAppErrorBox),
        rows_(rows),
        placement_(placement),
        listing_(CompareUserLocaleText) {}

 private:
  bool OnInit() override {
    FormCreate();
    FormShow();
    return true;
  }
  void OnSize(int, int) override { FormResize(); }
  void OnDpiChanged(int dpi, const RECT& suggested) override {
    ModalDialog::OnDpiChanged(dpi, suggested);
    ApplyDpi();
  }
  std::optional<LRESULT> OnNotify(const NMHDR& header) override {
    if (header.idFrom != IDC_LIST_VIEW1 || header.code != LVN_COLUMNCLICK) return std::nullopt;
    ListView1ColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    return 0;
  }
  // Enter closes nothing: the listing has no OK button. Escape and the close box end it.
  void OnOK() override {}
  void OnDestroy() override { ListView(list_hwnd_).SetFont(nullptr); }

  void FormCreate() {
    panel_ = Item(IDC_LIST_PANEL);
    list_hwnd_ = Item(IDC_LIST_VIEW1);
    ListView list(list_hwnd_);
    list.SetExtendedListViewStyle(LVS_EX_FULLROWSELECT);
    for (int i = 0; i < kListingColumns; ++i) list.InsertColumn(i, kColumns[i].header, 0);
    ApplyDpi();
  }

  // The font and the columns' widths for the dialog's DPI.
  void ApplyDpi() {
    const int dpi = WindowDpi(Handle());
    ListView list(list_hwnd_);
    OwnedFont font = CreateUiFont(Scale(kListFontPixels, dpi));
    if (font) list.SetFont(font.Get());
    list_font_ = std::move(font);
    for (int i = 0; i < kListingColumns; ++i) list.SetColumnWidth(i, Scale(kColumns[i].width, dpi));
    FitLastColumn();
  }

  void FormShow() {
    const ListingRect rect =
        PlaceListing(placement_, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOACTIVATE);
    // Below a main window that shows only its top on the screen it would open out of sight, and a
    // modal window nobody can see looks like a hung program.
    KeepWindowOnScreen(Handle());
    listing_.FormShow(rows_);
    ShowTable();
  }

  void FormResize() {
    RECT client;
    GetClientRect(Handle(), &client);
    MoveWindow(panel_, 0, 0, client.right, client.bottom, TRUE);
    MoveWindow(list_hwnd_, 0, 0, client.right, client.bottom, TRUE);
  }

  void ListView1ColumnClick(int column) {
    listing_.ListView1ColumnClick(column);
    ShowTable();
  }

  void ShowTable() {
    ListView list(list_hwnd_);
    list.SetRedraw(false);
    list.DeleteAllItems();
    int index = 0;
    for (const ListingRow& line : listing_.Rows()) {
      const int at = list.InsertItem(index, line[0]);
      if (at < 0) continue;
      for (int column = 1; column < kListingColumns; ++column) {
        list.SetItemText(at, column, line[static_cast<size_t>(column)]);
      }
      ++index;
    }
    FitLastColumn();
    list.SetRedraw(true);
    InvalidateRect(list_hwnd_, nullptr, TRUE);
  }

  // The start conditions are the longest cells and the last column: it grows to its widest, so
  // that scrolling to the right shows them whole.
  void FitLastColumn() {
    ListView list(list_hwnd_);
    constexpr int last = kListingColumns - 1;
    list.SetColumnWidth(last, LVSCW_AUTOSIZE);
    const int designed = Scale(kColumns[last].width, WindowDpi(Handle()));
    if (list.GetColumnWidth(last) < designed) list.SetColumnWidth(last, designed);
  }

  const std::vector<LaunchItem>& rows_;
  ListingPlacement placement_;
  Listing listing_;
  HWND panel_ = nullptr;
  HWND list_hwnd_ = nullptr;
  OwnedFont list_font_;
};

}  // namespace

int CompareUserLocaleText(const std::string& a, const std::string& b) {
  const int result =
      CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                     b.data(), static_cast<int>(b.size()));
  if (result == 0) return 0;  // the call failed: treat as equal
  return result - CSTR_EQUAL;
}

void ShowListingDialog(HINSTANCE instance, HWND owner, const std::vector<LaunchItem>& rows,
                       const ListingPlacement& placement) {
  ListingDialog(instance, rows, placement).Run(IDD_LIST_VIEW_DLG, owner);
}
