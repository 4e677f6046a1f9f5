#pragma once

#include <windows.h>

#include "platform/memory_status.h"
#include "platform/shell.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/owned_handle.h"
#include "shell/about_figures.h"

// What the about box reads and where its link opens.
struct AboutBoxServices {
  MemoryStatus& memory;
  FreeResources& resources;
  Shell& shell;
  HWND link_owner;  // the main window, owner of the home page's launch
};

// The about box "ﾊﾞｰｼﾞｮﾝ情報": created for one showing, modal over the owner, destroyed when it
// closes (OK, Enter or the close box; Escape does nothing).
class TAboutBox : public ModalDialog {
 public:
  TAboutBox(HINSTANCE instance, const AboutBoxServices& services);

  // Runs the box until it closes. Throws AppError when it cannot be created.
  void ShowModal(HWND owner);

 private:
  // ModalDialog.
  bool OnInit() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override { Close(); }
  void OnCancel() override {}  // Escape: there is no cancel button
  void OnClose() override { Close(); }
  bool OnTimer(UINT_PTR id) override;
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void FormCreate();
  // Fonts, icon, size and the controls' places for the box's DPI.
  void ApplyDpi();
  void RefreshSystemInfo();
  void Paint();
  void Close();
  HBRUSH ControlColour(HDC dc, HWND control);

  AboutBoxServices services_;
  OwnedFont font_;
  OwnedFont title_font_;
  OwnedFont version_font_;
  OwnedFont link_font_;
  OwnedGdiObject black_brush_;
  OwnedIcon icon_;
  Rgb resources_colour_ = kLime;
  UINT_PTR timer_ = 0;
  int dpi_ = 96;
};

// The "&Version" button and the launcher menu's entry: one box, shown and destroyed.
void ShowAboutBox(HINSTANCE instance, HWND owner, const AboutBoxServices& services);
