#pragma once

#include <functional>
#include <string>

#include "core/message_dialogs.h"
#include "items/item_store.h"
#include "takeover/entries.h"

// What the user is told once the entry is back where it was: where, and how to hand it to the
// program again.
std::string GivenBackText(const TakeoverEntry& entry);
// What the user is told once the entry is taken over: where its original is kept and how to
// put it back.
std::string KeptText(const TakeoverEntry& entry, const std::string& kept_folder);
// A row that starts the kept copy of a file is made to start the file put back in its place;
// false when the row starts something else.
bool PointRowAtOrigin(const TakeoverEntry& entry, ItemStore& store, int row);

// The list the kept entries become rows of.
struct TakeoverList {
  ItemStore& store;
  // Stores the list; false when it could not, the error having been shown.
  std::function<bool()> save;
  // The list in memory changed: the window shows it again.
  std::function<void()> changed;
};

// What becomes of an entry's row once the entry is back where it was.
enum class RowAfterGiveBack {
  Ask,     // the user is told and asked whether to remove it
  Remove,  // it is removed without a question
  Leave,   // nothing is said and the list is not touched
};

// Takes start-up entries over into the list and gives them back. Each step that changes the
// system is checked before the next, and a failure undoes the earlier ones, so that an entry is
// always in one piece in one place: where it was, or kept by the program and its row stored.
class Takeover {
 public:
  Takeover(EntrySources sources, MessageDialogs& dialogs, TakeoverList list,
           std::string kept_folder)
      : sources_(sources),
        dialogs_(dialogs),
        list_(std::move(list)),
        kept_folder_(std::move(kept_folder)) {}

  // Adds the entry's row at the end of the list and moves the original out of the system's
  // way; true when both happened. Otherwise says why, with nothing changed.
  bool TakeOver(const TakeoverEntry& entry);
  // Puts a kept entry back exactly as it was and then deals with its row as `after` says:
  // the given row, or (-1) the first row made from the entry. True when the entry is back.
  bool GiveBack(const TakeoverEntry& entry, RowAfterGiveBack after = RowAfterGiveBack::Ask,
                int row = -1);
  // The kept entry's row is deleted and the entry stays kept, as the user chose: noted, so that
  // no start gives it back. Throws AppError when it cannot be noted.
  void KeepWithoutRow(const TakeoverEntry& kept);

 private:
  bool TakeOverValue(const TakeoverEntry& entry);
  bool TakeOverFile(const TakeoverEntry& entry);
  bool GiveBackValue(const TakeoverEntry& entry);
  bool GiveBackFile(const TakeoverEntry& entry);
  // Appends the row and stores the list; on failure the row is gone again.
  bool StoreRow(const LaunchItem& row);
  // Asks about or removes the entry's row before its record goes; the notice to show once the
  // give-back is complete, or nothing when the question already said it.
  std::string SettleRow(const TakeoverEntry& entry);
  // The kept copy was deleted by hand: the record can only be forgotten.
  bool OfferForgetting(const TakeoverEntry& entry);
  bool Fail(const char* pattern, const std::string& name, const std::string& reason);
  // Empty when the records cannot be read.
  std::string FreeKeptName(const std::string& name);

  EntrySources sources_;
  MessageDialogs& dialogs_;
  TakeoverList list_;
  std::string kept_folder_;
  RowAfterGiveBack after_ = RowAfterGiveBack::Ask;
  int after_row_ = -1;
};
