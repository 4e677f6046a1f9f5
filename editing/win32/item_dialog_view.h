#pragma once

#include <windows.h>

#include <optional>

#include "editing/item_dialog_fields.h"
#include "platform/system.h"

// Shows the item properties dialog (template IDD_ITEM_DLG) modally over the main window.
class Win32ItemDialogRunner : public ItemDialogRunner {
 public:
  // `instance` holds the dialog template; `main_window` owns the dialog and is minimised by
  // its Explorer button; `clock` answers the "now" commands.
  Win32ItemDialogRunner(HINSTANCE instance, HWND main_window, Clock& clock)
      : instance_(instance), main_window_(main_window), clock_(clock) {}

  std::optional<ItemDialogResult> Run(const ItemDialogFields& initial) override;

 private:
  HINSTANCE instance_;
  HWND main_window_;
  Clock& clock_;
};
