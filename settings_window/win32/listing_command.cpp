#include "settings_window/win32/listing_command.h"

#include "editing/win32/listing_dialog.h"
#include "resources/resource_ids.h"

void ListingCommand::Show(bool from_tray) {
  const MainWindowFigures figures = window_.Figures();
  ShowListingDialog(
      instance_, window_.Handle(), form_.Store().Rows(),
      ListingPlacement{figures.left, figures.top, figures.width, figures.tool_strip_height,
                       figures.status_bar_height, figures.page_height, from_tray});
}

void ListingCommand::RegisterWith(CommandTarget& target) {
  target.SetCommandHandler(IDC_LIST_VIEW_BUTTON, [this] { Show(false); });
}
