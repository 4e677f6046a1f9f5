#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/message_dialogs.h"
#include "editing/taken_over_rows.h"
#include "items/item_store.h"
#include "takeover/entries.h"
#include "takeover/take_over.h"

// The list as taking over and giving back must respect it.
struct StepList {
  const ItemStore& store;
  // Whether the list or the options hold edits not yet saved.
  std::function<bool()> unsaved;
  // Saves the list and the options; false when it could not, the error having been shown.
  std::function<bool()> save;
  // The entries taken over now.
  std::function<std::vector<TakeoverEntry>()> kept;
};

// Taking over and giving back as the user meets them: a step that saves the list first asks
// about edits not yet saved, and each step ends with one message that says what happened.
class TakeoverSteps : public TakenOverRows {
 public:
  TakeoverSteps(Takeover& takeover, MessageDialogs& dialogs, StepList list, std::string kept_folder)
      : takeover_(takeover),
        dialogs_(dialogs),
        list_(std::move(list)),
        kept_folder_(std::move(kept_folder)) {}

  bool TakeOver(const TakeoverEntry& entry);
  bool GiveBack(const TakeoverEntry& entry);

  // TakenOverRows.
  bool IsTakenOver(int row) override { return EntryOfRow(row).has_value(); }
  void GiveBackAndRemove(int row) override;
  bool KeepWithoutRow(int row) override;

 private:
  // True when nothing is unsaved, or the user chose to save it with this step and it was.
  bool ReadyToChange();
  std::optional<TakeoverEntry> EntryOfRow(int row);

  Takeover& takeover_;
  MessageDialogs& dialogs_;
  StepList list_;
  std::string kept_folder_;
};
