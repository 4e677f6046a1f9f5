#include "settings_window/win32/tool_strip.h"

#include <cctype>
#include <cstring>
#include <iterator>
#include <vector>

#include "core/texts.h"
#include "platform/win32/dpi.h"
#include "platform/win32/system_error.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kToolImageSize = 16;
constexpr COLORREF kToolImageMask = RGB(255, 0, 255);
constexpr int kToolImageCount = 15;

// The tool images at `dpi`: each pixel of the 16-pixel drawings copied to the nearest places of
// the larger cells. The system's stretching blends neighbours, and blends of magenta with a
// drawing's edge are no longer the mask's colour: they showed as pink fringes.
HIMAGELIST ToolImages(HINSTANCE instance, int dpi) {
  OwnedBitmap drawn(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(IDB_TOOLBAR),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!drawn) return nullptr;
  constexpr int kDrawnWidth = kToolImageSize * kToolImageCount;
  const auto top_down = [](int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
  };
  std::vector<DWORD> source(kDrawnWidth * kToolImageSize);
  BITMAPINFO source_info = top_down(kDrawnWidth, kToolImageSize);
  const int size = Scale(kToolImageSize, dpi), width = size * kToolImageCount;
  const BITMAPINFO info = top_down(width, size);
  void* bits = nullptr;
  OwnedBitmap scaled;
  {
    const WindowDc screen(nullptr);
    const int rows = GetDIBits(screen.Get(), drawn.Get(), 0, kToolImageSize, source.data(),
                               &source_info, DIB_RGB_COLORS);
    drawn.Reset();
    if (rows == kToolImageSize)
      scaled.Reset(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  }
  if (!scaled) return nullptr;
  auto* pixels = static_cast<DWORD*>(bits);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < width; ++x)
      pixels[y * width + x] =
          source[(y * kToolImageSize / size) * kDrawnWidth + x * kToolImageSize / size];
  GdiFlush();
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kToolImageCount, 0);
  if (list) ImageList_AddMasked(list, scaled.Get(), kToolImageMask);
  return list;
}

const char* const kBandNames[ToolStrip::kBandCount] = {texts::kBandFile, texts::kBandEdit,
                                                       texts::kBandOption, texts::kBandHelp};
constexpr int kToolBarIds[ToolStrip::kBandCount] = {IDC_FILE_TOOL_BAR, IDC_EDIT_TOOL_BAR,
                                                    IDC_OPTION_TOOL_BAR, IDC_HELP_TOOL_BAR};
// The buttons that need a selected row.
constexpr int kRowButtonIds[] = {IDC_DELETE_BTN, IDC_EDIT_BTN, IDC_RUN_BTN, IDC_MOVE_UP_BTN,
                                 IDC_MOVE_DOWN_BTN};

// In their order on the bands.
constexpr ToolButton kToolButtons[] = {
    {IDC_OK_BTN, 0, 0, texts::kOkBtnCaption, texts::kOkBtnHint},
    {IDC_CANCEL_BTN, 0, 1, texts::kCancelBtnCaption, texts::kCancelBtnHint},
    {IDC_UPDATE_BTN, 0, 2, texts::kUpdateBtnCaption, texts::kUpdateBtnHint},
    {IDC_ADD_BTN, 1, 3, texts::kAddBtnCaption, texts::kAddBtnHint},
    {IDC_EDIT_BTN, 1, 4, texts::kEditBtnCaption, texts::kEditBtnHint},
    {IDC_DELETE_BTN, 1, 5, texts::kDeleteBtnCaption, texts::kDeleteBtnHint},
    {IDC_SEPARATOR_BTN, 1, 6, texts::kSeparatorBtnCaption, texts::kSeparatorBtnHint},
    {IDC_MOVE_UP_BTN, 2, 7, texts::kMoveUpBtnCaption, texts::kMoveUpHint},
    {IDC_MOVE_DOWN_BTN, 2, 8, texts::kMoveDownBtnCaption, texts::kMoveDownHint},
    {IDC_RUN_BTN, 2, 9, texts::kRunBtnCaption, texts::kRunBtnHint},
    {IDC_LIST_VIEW_BUTTON, 2, 10, texts::kListViewButtonCaption, texts::kListViewButtonHint},
    {IDC_VERSION_BTN, 3, 11, texts::kHelpBtnCaption, texts::kHelpBtnHint},
    {IDC_HELP_CONTENTS_BTN, 3, 12, texts::kHelpButtonCaption, texts::kHelpButtonHint},
    {IDC_GROUP_BUTTON, 3, 13, texts::kGroupButtonCaption, texts::kGroupButtonHint},
    {IDC_SHORTCUT_BUTTON, 3, 14, texts::kShortcutButtonCaption, texts::kShortcutButtonHint},
};
constexpr int kToolButtonCount = static_cast<int>(std::size(kToolButtons));

const ToolButton* FindToolButton(int id) {
  for (const ToolButton& tool : kToolButtons)
    if (tool.id == id) return &tool;
  return nullptr;
}

int AccessKeyOf(const ToolButton& tool) {
  const char* amp = std::strchr(tool.caption, '&');
  return amp ? std::toupper(static_cast<unsigned char>(amp[1])) : 0;
}

}  // namespace

void ToolStrip::Create(HWND parent, HINSTANCE instance, HFONT font, int dpi) {
  parent_ = parent;
  instance_ = instance;
  HWND cool_bar = CreateWindowExA(0, REBARCLASSNAMEA, "",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                      RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                                  0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_COOL_BAR)),
                                  instance, nullptr);
  if (!cool_bar) throw SystemCallError("CreateWindowEx");
  UseFont(cool_bar, font);
  cool_bar_ = ReBar(cool_bar);
  cool_bar_.SetBkColor(GetSysColor(COLOR_BTNFACE));
  images_.Reset(ToolImages(instance, dpi));

  for (int band = 0; band < kBandCount; ++band) {
    // No tool tips: hints go to the status bar only.
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                                   CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, cool_bar,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBarIds[band])),
                               instance, nullptr);
    if (!bar) throw SystemCallError("CreateWindowEx");
    ToolBar& tool_bar = tool_bars_[band];
    tool_bar = ToolBar(bar);
    tool_bar.ButtonStructSize();
    UseFont(bar, font);
    tool_bar.SetImageList(images_.Get());

    std::vector<TBBUTTON> buttons;
    for (const ToolButton& tool : kToolButtons) {
      if (tool.band != band) continue;
      TBBUTTON button{};
      button.iBitmap = tool.image;
      button.idCommand = tool.id;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
      button.iString = reinterpret_cast<INT_PTR>(tool.caption);
      buttons.push_back(button);
    }
    tool_bar.AddButtons(buttons.data(), static_cast<int>(buttons.size()));
    tool_bar.AutoSize();
    const SIZE size = tool_bar.GetMaxSize();

    REBARBANDINFOA info{};
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_TEXT |
                 RBBIM_IDEALSIZE | RBBIM_ID;
    info.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    info.lpText = const_cast<char*>(kBandNames[band]);
    info.hwndChild = bar;
    info.cxMinChild = static_cast<UINT>(size.cx);
    info.cyMinChild = static_cast<UINT>(size.cy);
    info.cx = static_cast<UINT>(size.cx);
    info.cxIdeal = static_cast<UINT>(size.cx);
    info.wID = static_cast<UINT>(band);
    cool_bar_.InsertBand(-1, info);
  }
}

void ToolStrip::ApplyDpi(HFONT font, int dpi) {
  OwnedImageList images(ToolImages(instance_, dpi));
  UseFont(cool_bar_.Handle(), font);
  for (int band = 0; band < kBandCount; ++band) {
    ToolBar& tool_bar = tool_bars_[band];
    UseFont(tool_bar.Handle(), font);
    tool_bar.SetImageList(images.Get());
    // The buttons measure themselves again for the new images and font.
    const int image = Scale(kToolImageSize, dpi);
    SendMessageA(tool_bar.Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(image, image));
    tool_bar.AutoSize();
    const SIZE size = tool_bar.GetMaxSize();
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    info.cxMinChild = static_cast<UINT>(size.cx);
    info.cyMinChild = static_cast<UINT>(size.cy);
    info.cx = static_cast<UINT>(size.cx);
    info.cxIdeal = static_cast<UINT>(size.cx);
    SendMessageA(cool_bar_.Handle(), RB_SETBANDINFOA, static_cast<WPARAM>(band),
                 reinterpret_cast<LPARAM>(&info));
  }
  images_ = std::move(images);
}

void ToolStrip::EnableRowButtons(bool enabled) {
  for (int id : kRowButtonIds)
    if (const ToolButton* tool = FindToolButton(id))
      tool_bars_[tool->band].EnableButton(id, enabled);
}

const char* ToolStrip::HintAt(HWND window, POINT screen_point) const {
  for (const ToolBar& bar : tool_bars_) {
    if (bar.Handle() != window) continue;
    POINT point = screen_point;
    ScreenToClient(window, &point);
    const int index = bar.HitTest(point);
    TBBUTTON button{};
    if (index >= 0 && bar.GetButton(index, button)) {
      if (const ToolButton* tool = FindToolButton(button.idCommand)) return tool->hint;
    }
  }
  return nullptr;
}

bool ToolStrip::AccessKey(char key) {
  const int wanted = std::toupper(static_cast<unsigned char>(key));
  std::vector<int> sharing;  // enabled buttons with this key, in their order
  for (int i = 0; i < kToolButtonCount; ++i) {
    const ToolButton& tool = kToolButtons[i];
    if (AccessKeyOf(tool) == wanted && tool_bars_[tool.band].IsButtonEnabled(tool.id))
      sharing.push_back(i);
  }
  if (sharing.empty()) return false;
  if (sharing.size() == 1) {
    Press(kToolButtons[sharing.front()].id);
    return true;
  }
  // As Windows does for a mnemonic shared by several controls: each press goes on to the next.
  int next = sharing.front();
  const int current = FocusedButton() ? focused_ : -1;
  for (int i : sharing) {
    if (i > current) {
      next = i;
      break;
    }
  }
  FocusButton(next);
  return true;
}

bool ToolStrip::MoveFocus(int step) {
  if (!FocusedButton()) return false;
  for (int i = 1; i < kToolButtonCount; ++i) {
    const int next =
        ((focused_ + step * i) % kToolButtonCount + kToolButtonCount) % kToolButtonCount;
    const ToolButton& tool = kToolButtons[next];
    if (tool_bars_[tool.band].IsButtonEnabled(tool.id)) {
      FocusButton(next);
      break;
    }
  }
  return true;
}

void ToolStrip::FocusButton(int index) {
  const ToolButton& tool = kToolButtons[index];
  // Only the focused button is shown hot; the band it leaves forgets its own.
  for (const ToolBar& other : tool_bars_)
    if (other.Handle() != tool_bars_[tool.band].Handle()) other.SetHotItem(-1);
  const ToolBar& bar = tool_bars_[tool.band];
  focused_ = index;
  SetFocus(bar.Handle());
  bar.SetHotItem(bar.CommandToIndex(tool.id));
}

int ToolStrip::FocusedButton() const {
  if (focused_ < 0) return 0;
  const ToolButton& tool = kToolButtons[focused_];
  const ToolBar& bar = tool_bars_[tool.band];
  // The hot item only shows it: the pointer moves that.
  if (GetFocus() != bar.Handle()) return 0;
  return tool.id;
}

bool ToolStrip::PressFocusedButton() {
  const int id = FocusedButton();
  if (!id || !tool_bars_[kToolButtons[focused_].band].IsButtonEnabled(id)) return false;
  Press(id);
  return true;
}

void ToolStrip::Press(int id) const {
  // Through the window procedure, where errors are caught.
  PostMessageA(parent_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}
