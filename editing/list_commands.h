#pragma once

#include "core/command_target.h"
#include "core/launcher.h"
#include "core/message_dialogs.h"
#include "editing/item_dialog_fields.h"
#include "editing/item_list_view.h"
#include "editing/taken_over_rows.h"
#include "items/item_store.h"
#include "platform/system.h"

// The main window's list commands: what each button, menu item and list event does to the rows.
class ListCommands {
 public:
  ListCommands(ItemStore& store, ItemListView& view, ItemDialogRunner& dialog,
               MessageDialogs& dialogs, System& system, Launcher& launcher)
      : store_(store),
        view_(view),
        dialog_(dialog),
        dialogs_(dialogs),
        system_(system),
        launcher_(launcher) {}

  // Rows taken over from the system's start-up; without them every row is a plain one.
  void SetTakenOverRows(TakenOverRows* rows) { taken_over_ = rows; }

  // The list's buttons, menu items and events.
  void RegisterWith(CommandTarget& window);
  void AddBtnClick();
  void EditBtnClick();  // also the list's double click
  void DeleteBtnClick();
  void SeparatorBtnClick();  // SeparatorBtnClick
  void MoveUpClick();        // MoveUpClick, also N2
  void MoveDownClick();      // MoveDownClick, also N3
  void RunBtnClick();
  void AllOKClick();
  void AllNGClick();
  void TitleListEnter() { UpdateListButtons(); }  // TitleListEnter
  // The user ticked or unticked a row's check box.
  void SetRowEnabled(int index, bool enabled);
  void UpdateListButtons();
  // Moves the selected row by step (-1 up, +1 down) when there is room; it stays selected.
  void MoveItemRow(int step);

 private:
  // Shows the store in the list and selects the given row (-1: none).
  void ShowStore(int selected);
  void SetAllEnabled(bool enabled);
  // A list that a load would refuse must not grow; says so and returns true at the bound.
  bool RefuseWhenFull();
  // Deleting a row whose entry the program keeps away from the system: give it back first?
  void DeleteTakenOverRow(int index);

  ItemStore& store_;
  ItemListView& view_;
  ItemDialogRunner& dialog_;
  MessageDialogs& dialogs_;
  System& system_;
  Launcher& launcher_;
  TakenOverRows* taken_over_ = nullptr;
};
