#pragma once

#include <windows.h>

#include "platform/memory_status.h"
#include "platform/shell.h"
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
class TAboutBox {
 public:
  TAboutBox(HINSTANCE instance, const AboutBoxServices& services)
      : instance_(instance), services_(services) {}
  ~TAboutBox();
  TAboutBox(const TAboutBox&) = delete;
  TAboutBox& operator=(const TAboutBox&) = delete;

  // Runs the box until it closes. Throws AppError when it cannot be created.
  void ShowModal(HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void FormCreate();
  void RefreshSystemInfo();
  void Paint();
  void Close();
  HBRUSH ControlColour(HDC dc, HWND control);

  HINSTANCE instance_;
  AboutBoxServices services_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HFONT title_font_ = nullptr;
  HFONT version_font_ = nullptr;
  HFONT link_font_ = nullptr;
  HBRUSH black_brush_ = nullptr;
  HICON icon_ = nullptr;
  Rgb resources_colour_ = kLime;
  UINT_PTR timer_ = 0;
};

// The "&Version" button and the launcher menu's entry: one box, shown and destroyed.
void ShowAboutBox(HINSTANCE instance, HWND owner, const AboutBoxServices& services);
