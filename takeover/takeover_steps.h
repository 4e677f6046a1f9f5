#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "items/item_store.h"
#include "core/message_dialogs.h"
#include "editing/taken_over_rows.h"
#include "takeover/take_over.h"
#include "takeover/entries.h"

// What the user is told once the entry is back where it was: where, and how to hand it to the
// program again.
std::string GivenBackText(const StartupEntry& entry);
// What the user is told once the entry is taken over: where its original is kept and how to
// put it back.
std::string AdoptedText(const StartupEntry& entry, const std::string& adopted_folder);
// A row that starts the kept copy of a file is made to start the file put back in its place;
// false when the row starts something else.
bool PointRowAtOrigin(const StartupEntry& entry, ItemStore& store, int row);

// The list as taking over and giving back must respect it.
struct StepList {
  const ItemStore& store;
  // Whether the list or the options hold edits not yet saved.
  std::function<bool()> unsaved;
  // Saves the list and the options; false when it could not, the error having been shown.
  std::function<bool()> save;
  // The entries taken over now.
  std::function<std::vector<StartupEntry>()> adopted;
};

// Taking over and giving back as the user meets them: a step that saves the list first asks
// about edits not yet saved, and each step ends with one message that says what happened.
class TakeoverSteps : public TakenOverRows {
 public:
  TakeoverSteps(Adoption& adoption, MessageDialogs& dialogs, StepList list,
                std::string adopted_folder)
      : adoption_(adoption),
        dialogs_(dialogs),
        list_(std::move(list)),
        adopted_folder_(std::move(adopted_folder)) {}

  bool Adopt(const StartupEntry& entry);
  bool GiveBack(const StartupEntry& entry);

  // TakenOverRows.
  bool IsTakenOver(int row) override { return EntryOfRow(row).has_value(); }
  void GiveBackAndRemove(int row) override;

 private:
  // True when nothing is unsaved, or the user chose to save it with this step and it was.
  bool ReadyToChange();
  std::optional<StartupEntry> EntryOfRow(int row);

  Adoption& adoption_;
  MessageDialogs& dialogs_;
  StepList list_;
  std::string adopted_folder_;
};
